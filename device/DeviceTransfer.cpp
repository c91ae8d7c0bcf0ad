#include "device/DeviceTransfer.h"

#include "base/NativePath.h"
#include "base/NumberText.h"
#include "device/AdbFailure.h"
#include "device/ProcessRunner.h"
#include "params/ParameterFile.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

#if defined(_WIN32)
constexpr const char* kAdbName = "adb.exe";
constexpr char kPathListSeparator = ';';
#else
constexpr const char* kAdbName = "adb";
constexpr char kPathListSeparator = ':';
#endif

// Where the earlier EQPara.bin waits while a pull runs.
constexpr const char16_t* kAsideName = u"EQPara.bin.previous";

bool IsProgram(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// A parameter file the reader takes as it is: 2456 bytes, every value one it can hold.
bool IsCompleteCopy(const std::u16string& path) {
    ParameterArray values{};
    return IsRegularFile(NativePath::Narrow(path)) && ParameterFile::ReadArray(path, values).Ok();
}

} // namespace

DeviceTransfer::DeviceTransfer(ParameterSet& params, const ToolLibrary& tool,
                               std::u16string programDirectory, TransferReporter& reporter,
                               int timeoutMs)
    : params_(params), tool_(tool), programDirectory_(std::move(programDirectory)),
      reporter_(reporter), timeoutMs_(timeoutMs) {}

std::string DeviceTransfer::DeviceFileName(int32_t sampleRate, int32_t channels) {
    return "Para_" + NumberText::FormatInt(sampleRate) + "Hz_" + NumberText::FormatInt(channels) +
           "ch.bin";
}

const char* DeviceTransfer::DeviceDirectory() {
    return "/data/cfg/eq_bin/";
}

const char16_t* DeviceTransfer::LocalFileName() {
    return u"EQPara.bin";
}

const char16_t* DeviceTransfer::FailureMessage() {
    return u"update parameter fail!";
}

std::string DeviceTransfer::FindAdb(const std::u16string& programDirectory) {
    const std::string beside = NativePath::Narrow(programDirectory) + kAdbName;
    if (IsProgram(beside)) {
        return beside;
    }
    const char* searchPath = std::getenv("PATH");
    if (searchPath == nullptr) {
        return {};
    }
    std::string_view rest(searchPath);
    for (;;) {
        const std::size_t end = rest.find(kPathListSeparator);
        const std::string_view entry = rest.substr(0, end);
        // An empty entry names the current folder.
        const std::string candidate =
            (entry.empty() ? std::string(".") : std::string(entry)) + "/" + kAdbName;
        if (IsProgram(candidate)) {
            return candidate;
        }
        if (end == std::string_view::npos) {
            return {};
        }
        rest.remove_prefix(end + 1);
    }
}

TransferPlan DeviceTransfer::Prepare(TransferDirection direction) {
    TransferPlan plan;
    plan.direction = direction;
    plan.localPath = programDirectory_ + LocalFileName();
    plan.asidePath = programDirectory_ + kAsideName;
    plan.deviceName = DeviceFileName(params_.SWFS, params_.CHANUM);
    plan.command.timeoutMs = timeoutMs_;

    if (direction == TransferDirection::Push) {
        const ParameterFileResult written =
            ParameterFile::WriteParameterFile(plan.localPath, params_, tool_);
        if (!written.Ok()) {
            reporter_.Report(ParameterFile::Message(written, plan.localPath, texts_));
            return plan;
        }
    } else if (!MoveAside(plan)) {
        reporter_.Report(
            texts_.Format(TextId::PullCannotMoveAside, {plan.localPath, plan.asidePath}));
        return plan;
    }

    const std::string adb = FindAdb(programDirectory_);
    if (!adb.empty()) {
        const std::string local = NativePath::Narrow(plan.localPath);
        const std::string remote = RemotePath(plan);
        if (direction == TransferDirection::Push) {
            plan.command.argv = AdbArgv(adb, serial_, {"push", local, remote});
        } else {
            plan.command.argv = AdbArgv(adb, serial_, {"pull", remote, local});
            // What is still there is no complete copy (a killed pull's part, say): whatever
            // stands there after the pull is then the device's file, or nothing.
            if (IsRegularFile(local)) {
                std::remove(local.c_str());
            }
        }
    }
    plan.ready = true;
    return plan;
}

std::vector<std::string> DeviceTransfer::AdbArgv(const std::string& adb, const std::string& serial,
                                                 std::vector<std::string> words) {
    if (adb.empty()) {
        return {};
    }
    std::vector<std::string> argv{adb};
    if (!serial.empty()) {
        argv.insert(argv.end(), {"-s", serial});
    }
    argv.insert(argv.end(), words.begin(), words.end());
    return argv;
}

void DeviceTransfer::Address(AdbCommand& command, const std::string& serial) {
    if (!serial.empty() && !command.argv.empty()) {
        command.argv.insert(command.argv.begin() + 1, {"-s", serial});
    }
}

std::string DeviceTransfer::RemotePath(const TransferPlan& plan) {
    return DeviceDirectory() + plan.deviceName;
}

AdbRunResult DeviceTransfer::RunAdb(const AdbCommand& command) {
    AdbRunResult result;
    if (command.argv.empty()) {
        result.found = false;
        return result; // adb was not found: not started
    }
    ProcessRunner runner;
    result.started = runner.Run(command.argv, command.timeoutMs);
    result.exitCode = runner.ExitCode();
    result.timedOut = runner.TimedOut();
    result.output = std::string(runner.CapturedOutput());
    return result;
}

int DeviceTransfer::Finish(const TransferPlan& plan, const AdbRunResult& run) {
    lastRead_ = ParameterFileResult{};
    if (!plan.ready) {
        return -1; // refused in Prepare, already reported
    }
    if (!run.started) {
        return Fail(plan, -2, run);
    }
    if (run.exitCode != 0) {
        return Fail(plan, -1, run);
    }
    if (plan.direction == TransferDirection::Push) {
        return 0;
    }
    // A pull that reported success without leaving a readable file is a failure, not a reason to
    // load whatever copy an earlier transfer left.
    lastRead_ = ParameterFile::ReadParameterFile(plan.localPath, params_, fileLength_);
    if (lastRead_.status == ParameterFileStatus::CannotRead) {
        return Fail(plan, -1, run);
    }
    if (!lastRead_.Ok()) {
        // adb did its part; the device's file is what cannot be trusted.
        PutBack(plan, true);
        reporter_.Report(
            ParameterFile::Message(lastRead_, NumberText::Widen(RemotePath(plan)), texts_));
        return -1;
    }
    if (plan.hasOldCopy) {
        std::remove(NativePath::Narrow(plan.asidePath).c_str());
    }
    return 0;
}

int DeviceTransfer::TransferParameterFile(TransferDirection direction) {
    const TransferPlan plan = Prepare(direction);
    lastRun_ = plan.ready ? RunAdb(plan.command) : AdbRunResult{};
    return Finish(plan, lastRun_);
}

bool DeviceTransfer::MoveAside(TransferPlan& plan) {
    const std::string local = NativePath::Narrow(plan.localPath);
    const std::string aside = NativePath::Narrow(plan.asidePath);
    if (IsCompleteCopy(plan.localPath)) {
        if (std::rename(local.c_str(), aside.c_str()) != 0) {
            return false;
        }
        plan.hasOldCopy = true;
    } else {
        // An earlier pull that was interrupted left its copy aside: it is still the last one, and
        // whatever that pull left in its place (nothing, or a partial file) is worth less.
        plan.hasOldCopy = IsCompleteCopy(plan.asidePath);
    }
    return true;
}

void DeviceTransfer::PutBack(const TransferPlan& plan, bool adbRan) {
    if (plan.direction != TransferDirection::Pull) {
        return;
    }
    const std::string local = NativePath::Narrow(plan.localPath);
    if (plan.hasOldCopy) {
        // Replaces whatever the failed pull left in its place.
        std::rename(NativePath::Narrow(plan.asidePath).c_str(), local.c_str());
    } else if (adbRan && IsRegularFile(local)) {
        // A partial or refused file of the failed pull.
        std::remove(local.c_str());
    }
}

int DeviceTransfer::Fail(const TransferPlan& plan, int code, const AdbRunResult& run) {
    PutBack(plan, code != -2);
    reporter_.ReportFailure(FailureMessage(),
                            AdbFailure::Detail(run, plan.command.timeoutMs, texts_));
    return code;
}
