#pragma once

#include "device/AdbDeviceList.h"
#include "device/DeviceTransfer.h"
#include "params/ParameterDiff.h"

#include <functional>
#include <string>
#include <vector>

// What one device of a line came to.
struct DeviceOutcome {
    enum class Result { Ok, Mismatch, Failed, Unauthorized, Offline };

    std::string serial; // empty when adb chose the device
    Result result = Result::Failed;
    double seconds = 0.0;
    std::u16string detail;
    std::vector<FieldDifference> differences; // for Mismatch: sent (a) against read (b)
    bool adbStarted = true;                   // false: adb could not be started at all

    // "ok", "mismatch", "failed", "unauthorized", "offline".
    static const char* ResultName(Result result);
    // The outcome of a listed device that takes no commands: unauthorized, offline, or failed
    // naming its state ("no permissions", "recovery", ...). Nothing is sent to it.
    static DeviceOutcome NotReady(const AdbDevice& device);
};

// One push to one device, with its own files: local is sent, and with verify the device's file
// is pulled back into readBack and compared with sent byte for byte.
struct PushJob {
    std::string adb; // full path of adb; empty when it was not found
    std::string serial;
    std::string local;
    std::string remote;
    std::string readBack;
    std::string sent; // the bytes of local
    bool verify = false;
    int timeoutMs = DeviceTransfer::kDefaultTimeoutMs;
};

class DevicePush {
public:
    // Runs the job through process runners of its own; safe on any thread.
    static DeviceOutcome Run(const PushJob& job);
    // Runs every job, at most `parallel` at a time (1 or more), each on a thread of its own;
    // outcomes in the order of jobs. finished, when given, is called with each outcome as its
    // job ends, one call at a time.
    static std::vector<DeviceOutcome>
    RunAll(const std::vector<PushJob>& jobs, int parallel,
           const std::function<void(const DeviceOutcome&)>& finished = {});
};
