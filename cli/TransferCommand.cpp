#include "cli/TransferCommand.h"

#include "base/TextCodec.h"
#include "cli/CliArguments.h"
#include "cli/ParameterJson.h"
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

// The words after "push" or "pull": CONFIG, an optional --timeout MS (1 or more) and, for a pull,
// --force; false on a usage error (message already written).
bool ParseArguments(const std::vector<std::string>& args, bool pull, std::string& config,
                    int& timeoutMs, bool& force, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (pull && word == "--force") {
            force = true;
        } else if (word == "--timeout") {
            const std::optional<int32_t> value =
                i + 1 < args.size() ? CliArguments::StrictInt(args[++i]) : std::nullopt;
            if (!value || *value < 1) {
                err << "sonvex-cli: --timeout needs a number of milliseconds, 1 or more\n";
                return false;
            }
            timeoutMs = *value;
        } else if (config.empty() && !word.starts_with("--")) {
            config = word;
        } else {
            err << "sonvex-cli: unexpected argument \"" << word << "\"\n";
            return false;
        }
    }
    if (config.empty()) {
        err << "sonvex-cli: a configuration file is needed\n";
        return false;
    }
    return true;
}

} // namespace

const char* TransferCommand::Name() const {
    return direction_ == TransferDirection::Push ? "push" : "pull";
}

const char* TransferCommand::Synopsis() const {
    return direction_ == TransferDirection::Push ? "push CONFIG [--timeout MS]"
                                                 : "pull CONFIG [--timeout MS] [--force]";
}

int TransferCommand::Run(const std::vector<std::string>& args, CliIo& io) const {
    std::string config;
    int timeoutMs = DeviceTransfer::kDefaultTimeoutMs;
    bool force = false;
    if (!ParseArguments(args, direction_ == TransferDirection::Pull, config, timeoutMs, force,
                        io.err)) {
        io.err << "usage: sonvex-cli " << Synopsis() << "\n";
        return kExitUsage;
    }
    CIniSettingBase settings;
    if (!CliArguments::LoadConfiguration(config, settings, io.err)) {
        return kExitFailure;
    }
    ToolLibrary tool;
    if (direction_ == TransferDirection::Push) {
        tool.Load(io.programDirectory); // a missing library is refused by the writer
    }
    StderrReporter reporter(io.err);
    DeviceTransfer transfer(settings.Params, tool, io.programDirectory, reporter, timeoutMs);
    transfer.SetFileLength(force ? FileLength::Any : FileLength::Exact);
    const int result = transfer.TransferParameterFile(direction_);
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
        }
        return result == -2 ? kExitAdbNotStarted : kExitFailure;
    }
    if (direction_ == TransferDirection::Pull) {
        if (!CliArguments::SaveConfiguration(config, settings, io.err)) {
            io.err << "sonvex-cli: the device's parameters were read into EQPara.bin, but not "
                      "into the configuration\n";
            return kExitFailure;
        }
        PrintConfiguration(io.out, settings);
    }
    return kExitOk;
}
