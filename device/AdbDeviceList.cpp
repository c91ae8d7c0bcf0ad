#include "device/AdbDeviceList.h"

#include <array>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && !IsBlank(line[i])) {
            ++i;
        }
        if (i > start) {
            words.push_back(line.substr(start, i - start));
        }
    }
    return words;
}

// States of one word that adb prints; "no permissions" is matched on its own.
constexpr std::array<std::string_view, 12> kStates = {
    "device",      "unauthorized", "offline", "recovery", "sideload", "bootloader",
    "authorizing", "connecting",   "host",    "rescue",   "unknown",  "detached",
};

bool IsState(std::string_view word) {
    for (const std::string_view state : kStates) {
        if (word == state) {
            return true;
        }
    }
    return false;
}

bool ParseLine(std::string_view line, AdbDevice& device) {
    const std::vector<std::string_view> words = Words(line);
    if (words.size() < 2 || words[0].front() == '*') {
        return false;
    }
    std::size_t next = 2;
    if (words[1] == "no" && words.size() > 2 && words[2] == "permissions") {
        device.state = "no permissions";
        next = 3;
    } else if (IsState(words[1])) {
        device.state = std::string(words[1]);
    } else {
        return false; // the heading, or a warning of adb's
    }
    device.serial = std::string(words[0]);
    for (std::size_t i = next; i < words.size(); ++i) {
        if (words[i].starts_with("model:")) {
            device.model = std::string(words[i].substr(6));
        }
    }
    return true;
}

} // namespace

const AdbDevice* AdbDeviceListing::Find(std::string_view serial) const {
    for (const AdbDevice& device : devices) {
        if (device.serial == serial) {
            return &device;
        }
    }
    return nullptr;
}

std::vector<AdbDevice> AdbDeviceList::Parse(std::string_view output) {
    std::vector<AdbDevice> devices;
    while (!output.empty()) {
        const std::size_t end = output.find('\n');
        const std::string_view line = output.substr(0, end);
        AdbDevice device;
        if (ParseLine(line, device)) {
            devices.push_back(device);
        }
        if (end == std::string_view::npos) {
            break;
        }
        output.remove_prefix(end + 1);
    }
    return devices;
}

AdbDeviceListing AdbDeviceList::Query(const std::u16string& programDirectory, int timeoutMs) {
    AdbDeviceListing listing;
    AdbCommand command;
    command.timeoutMs = timeoutMs;
    const std::string adb = DeviceTransfer::FindAdb(programDirectory);
    if (!adb.empty()) {
        command.argv = {adb, "devices", "-l"};
    }
    listing.run = DeviceTransfer::RunAdb(command);
    if (listing.Ok()) {
        listing.devices = Parse(listing.run.output);
    }
    return listing;
}
