#pragma once

#include "device/DeviceTransfer.h"

#include <string>
#include <string_view>
#include <vector>

// One line of "adb devices -l": the serial, the state as adb words it ("device", "unauthorized",
// "offline", "no permissions", "recovery", "sideload", "bootloader", ...) and the model when adb
// names one ("model:Pixel_7"), else empty.
struct AdbDevice {
    std::string serial;
    std::string state;
    std::string model;

    // Only a device in state "device" takes commands.
    bool Ready() const { return state == "device"; }
    friend bool operator==(const AdbDevice&, const AdbDevice&) = default;
};

// What one run of "adb devices -l" gave.
struct AdbDeviceListing {
    AdbRunResult run;
    std::vector<AdbDevice> devices;

    // adb ran and ended with exit code 0: devices is the list (maybe empty).
    bool Ok() const { return run.started && run.exitCode == 0; }
    // The device with this serial, or null.
    const AdbDevice* Find(std::string_view serial) const;
};

// The devices that adb sees.
class AdbDeviceList {
public:
    // Runs "adb devices -l" through a process runner of its own, with adb found as a transfer
    // finds it. Safe on any thread.
    static AdbDeviceListing Query(const std::u16string& programDirectory, int timeoutMs);

    // The device lines of adb's output. The heading ("List of devices attached"), the server's
    // notes ("* daemon started successfully"), warnings and blank lines are skipped; a line is a
    // serial, blanks, the state (which may be two words, "no permissions", followed by adb's
    // advice in parentheses) and key:value pairs.
    static std::vector<AdbDevice> Parse(std::string_view output);
};
