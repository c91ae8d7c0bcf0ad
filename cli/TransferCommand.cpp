#include "cli/TransferCommand.h"

#include "base/NativePath.h"
#include "base/SafeFile.h"
#include "base/Sha256.h"
#include "base/TextCodec.h"
#include "cli/CliArguments.h"
#include "cli/LinePush.h"
#include "cli/ParameterJson.h"
#include "cli/TransferLog.h"
#include "cli/TransferOptions.h"
#include "device/AdbDeviceList.h"
#include "device/AdbFailure.h"
#include "device/DevicePush.h"
#include "params/ToolLibrary.h"
#include "settings/CIniSettingBase.h"

#include <optional>
#include <ostream>

namespace {

// adb's own words after a failure, at most this many bytes of them.
constexpr std::size_t kShownOutput = 2000;

class StderrReporter : public TransferReporter {
public:
    explicit StderrReporter(std::ostream& err) : err_(err) {}
    void Report(const std::u16string& message) override {
        err_ << "sonvex-cli: " << TextCodec::ToUtf8(message) << "\n";
    }

private:
    std::ostream& err_;
};

void ExplainAdbFailure(const DeviceTransfer& transfer, const std::u16string& programDirectory,
                       std::ostream& err) {
    const AdbRunResult& run = transfer.LastRun();
    if (!run.started) {
        err << "sonvex-cli: adb could not be started (looked in \""
            << TextCodec::ToUtf8(programDirectory) << "\" and on PATH)\n";
        return;
    }
    if (run.exitCode != 0) {
        err << "sonvex-cli: adb ended with exit code " << run.exitCode
            << (run.exitCode == -1 ? " (killed at the time-out or by a signal)" : "") << "\n";
    } else {
        err << "sonvex-cli: adb reported success but left no readable EQPara.bin\n";
    }
    std::string output = run.output.substr(0, kShownOutput);
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) {
        output.pop_back();
    }
    if (!output.empty()) {
        err << output << "\n";
    }
}

// --serial S of a pull: the device must be attached and ready. None when it may go on, else the
// outcome to report.
std::optional<DeviceOutcome> CheckSerial(const std::string& serial, const CliIo& io,
                                         int timeoutMs) {
    const AdbDeviceListing listing = AdbDeviceList::Query(io.programDirectory, timeoutMs);
    if (!listing.Ok()) {
        return std::nullopt; // the pull itself tells what is wrong with adb
    }
    const AdbDevice* device = listing.Find(serial);
    if (device == nullptr) {
        DeviceOutcome outcome;
        outcome.serial = serial;
        outcome.detail = u"the device is not attached";
        return outcome;
    }
    if (!device->Ready()) {
        return DeviceOutcome::NotReady(*device);
    }
    return std::nullopt;
}

const char* ResultOfFailure(const DeviceTransfer& transfer) {
    const std::string state = AdbFailure::StateInOutput(transfer.LastRun().output);
    return state.empty() ? "failed" : (state == "unauthorized" ? "unauthorized" : "offline");
}

} // namespace

const char* TransferCommand::Name() const {
    return direction_ == TransferDirection::Push ? "push" : "pull";
}

const char* TransferCommand::Synopsis() const {
    return direction_ == TransferDirection::Push
               ? "push CONFIG [--serial S | --all] [--verify] [--jobs N] [--timeout MS] "
                 "[--log FILE]"
               : "pull CONFIG [--serial S] [--timeout MS] [--force] [--log FILE]";
}

int TransferCommand::Run(const std::vector<std::string>& args, CliIo& io) const {
    const bool pull = direction_ == TransferDirection::Pull;
    const std::optional<TransferOptions> options = TransferOptions::Parse(args, pull, io.err);
    if (!options) {
        io.err << "usage: sonvex-cli " << Synopsis() << "\n";
        return kExitUsage;
    }
    CIniSettingBase settings;
    if (!CliArguments::LoadConfiguration(options->config, settings, io.err)) {
        return kExitFailure;
    }
    TransferLog log;
    if (!options->log.empty() && !log.Open(options->log)) {
        io.err << "sonvex-cli: the log \"" << options->log
               << "\" cannot be opened for appending; nothing was sent or fetched\n";
        return kExitFailure;
    }
    TransferLog* record = log.IsOpen() ? &log : nullptr;
    ToolLibrary tool;
    if (!pull) {
        tool.Load(io.programDirectory); // a missing library is refused by the writer
        if (options->DeviceReport()) {
            return LinePush::Run(*options, settings, tool, io, record);
        }
    }
    if (pull && !options->serial.empty()) {
        if (const std::optional<DeviceOutcome> refused =
                CheckSerial(options->serial, io, options->timeoutMs)) {
            io.err << "sonvex-cli: " << options->serial << ": "
                   << DeviceOutcome::ResultName(refused->result) << ": "
                   << TextCodec::ToUtf8(refused->detail) << "\n";
            if (record != nullptr) {
                record->Append(Name(), options->serial, DeviceOutcome::ResultName(refused->result),
                               "");
            }
            return kExitFailure;
        }
    }

    StderrReporter reporter(io.err);
    DeviceTransfer transfer(settings.Params, tool, io.programDirectory, reporter,
                            options->timeoutMs);
    transfer.SetSerial(options->serial);
    transfer.SetFileLength(options->force ? FileLength::Any : FileLength::Exact);
    const int result = transfer.TransferParameterFile(direction_);
    const std::string local =
        NativePath::Narrow(io.programDirectory + DeviceTransfer::LocalFileName());
    std::string bytes;
    const std::string sha256 =
        (result == 0 || !pull) && SafeFile::Read(local, bytes) ? Sha256::Hex(bytes) : "";
    if (record != nullptr) {
        record->Append(Name(), options->serial, result == 0 ? "ok" : ResultOfFailure(transfer),
                       sha256);
    }
    if (result != 0) {
        const ParameterFileStatus read = transfer.LastRead().status;
        if (read == ParameterFileStatus::WrongLength) {
            io.err << "sonvex-cli: --force reads it anyway, the missing values as 0\n";
        }
        // A refused device file has been reported; adb itself did its part.
        const bool refused =
            read != ParameterFileStatus::Ok && read != ParameterFileStatus::CannotRead;
        const bool adbRan = transfer.LastRun().started || result == -2;
        if (adbRan && !refused) {
            ExplainAdbFailure(transfer, io.programDirectory, io.err);
            if (transfer.LastRun().started && options->serial.empty()) {
                LinePush::ExplainSeveral(io.programDirectory, options->timeoutMs, !pull, io.err);
            }
        }
        return result == -2 ? kExitAdbNotStarted : kExitFailure;
    }
    if (pull) {
        if (!CliArguments::SaveConfiguration(options->config, settings, io.err)) {
            io.err << "sonvex-cli: the device's parameters were read into EQPara.bin, but not "
                      "into the configuration\n";
            return kExitFailure;
        }
        PrintConfiguration(io.out, settings);
    }
    return kExitOk;
}
