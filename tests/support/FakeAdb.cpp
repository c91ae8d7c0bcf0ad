#include "tests/support/FakeAdb.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <signal.h>

namespace fs = std::filesystem;

FakeAdb::FakeAdb() : dir_("sonvex fake adb") {
    programDir_ = dir_.File("program dir");
    deviceDir_ = dir_.File("device");
    log_ = dir_.File("adb calls.log");
    fs::create_directory(programDir_);
    fs::create_directory(deviceDir_);
    const fs::path script = fs::path(SONVEX_SOURCE_DIR) / "tests" / "support" / "fake-adb";
    fs::copy_file(script, AdbPath());
    fs::permissions(AdbPath(), fs::perms::owner_all, fs::perm_options::replace);
    for (const char* variable :
         {"FAKE_ADB_DEVICE_DIR", "FAKE_ADB_LOG", "FAKE_ADB_FLOOD", "FAKE_ADB_LINGER",
          "FAKE_ADB_LINGER_PID_FILE", "FAKE_ADB_HANG", "FAKE_ADB_FAIL", "FAKE_ADB_NOWRITE",
          "FAKE_ADB_DEVICES", "FAKE_ADB_CORRUPT", "FAKE_ADB_VANISH", "FAKE_ADB_SLOW",
          "FAKE_ADB_SLOW_SERIAL", "FAKE_ADB_EVENTS"}) {
        Remember(variable);
        ::unsetenv(variable);
    }
    ::setenv("FAKE_ADB_DEVICE_DIR", deviceDir_.c_str(), 1);
    ::setenv("FAKE_ADB_LOG", log_.c_str(), 1);
}

FakeAdb::~FakeAdb() {
    const int linger = LingerPid();
    if (linger > 1) {
        ::kill(linger, SIGKILL);
    }
    for (const auto& [variable, value] : saved_) {
        if (value.first) {
            ::setenv(variable.c_str(), value.second.c_str(), 1);
        } else {
            ::unsetenv(variable.c_str());
        }
    }
}

void FakeAdb::Remember(const std::string& variable) {
    const char* value = std::getenv(variable.c_str());
    saved_.push_back({variable, {value != nullptr, value != nullptr ? value : ""}});
}

std::u16string FakeAdb::ProgramDir16() const {
    const std::string dir = programDir_ + "/";
    return std::u16string(dir.begin(), dir.end());
}

std::string FakeAdb::DeviceFile(const std::string& remote) const {
    return deviceDir_ + remote;
}

void FakeAdb::SetDevices(const std::string& devices) {
    Set("FAKE_ADB_DEVICES", devices);
    Set("FAKE_ADB_EVENTS", dir_.File("adb events.log"));
}

std::string FakeAdb::DeviceFileOf(const std::string& serial, const std::string& remote) const {
    return deviceDir_ + "/" + serial + remote;
}

std::vector<std::string> FakeAdb::Events() const {
    std::vector<std::string> events;
    std::ifstream in(dir_.File("adb events.log"));
    std::string line;
    while (std::getline(in, line)) {
        events.push_back(line);
    }
    return events;
}

void FakeAdb::PutDeviceFile(const std::string& remote, const std::string& bytes) const {
    const fs::path file = DeviceFile(remote);
    fs::create_directories(file.parent_path());
    TempDir::WriteBytes(file.string(), bytes);
}

bool FakeAdb::HasDeviceFile(const std::string& remote) const {
    return fs::exists(DeviceFile(remote));
}

std::string FakeAdb::ReadDeviceFile(const std::string& remote) const {
    return TempDir::ReadBytes(DeviceFile(remote));
}

std::vector<std::vector<std::string>> FakeAdb::Calls() const {
    std::vector<std::vector<std::string>> calls;
    std::ifstream in(log_);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> arguments;
        std::istringstream fields(line);
        std::string field;
        while (std::getline(fields, field, '\t')) {
            arguments.push_back(field);
        }
        if (!line.empty() && line.back() == '\t') {
            arguments.emplace_back(); // a trailing empty argument
        }
        calls.push_back(arguments);
    }
    return calls;
}

void FakeAdb::ClearEvents() const {
    fs::remove(dir_.File("adb events.log"));
}

void FakeAdb::Set(const std::string& variable, const std::string& value) {
    if (std::none_of(saved_.begin(), saved_.end(),
                     [&](const auto& entry) { return entry.first == variable; })) {
        Remember(variable);
    }
    if (value.empty()) {
        ::unsetenv(variable.c_str());
    } else {
        ::setenv(variable.c_str(), value.c_str(), 1);
    }
}

void FakeAdb::Linger(int seconds) {
    Set("FAKE_ADB_LINGER", std::to_string(seconds));
    Set("FAKE_ADB_LINGER_PID_FILE", dir_.File("linger.pid"));
}

int FakeAdb::LingerPid() const {
    std::ifstream in(dir_.File("linger.pid"));
    int pid = 0;
    in >> pid;
    return pid;
}
