#include "cli/ResetCommand.h"

#include "cli/CliArguments.h"
#include "cli/ParameterJson.h"
#include "params/ResetEqBands.h"
#include "settings/CIniSettingBase.h"

#include <optional>

namespace {

struct ResetOptions {
    std::string config;
    std::optional<int32_t> rate;
    std::optional<int32_t> channels;
};

// Parses the words after "reset"; false on a usage error (message already written).
bool ParseOptions(const std::vector<std::string>& args, ResetOptions& options, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--rate" || word == "--channels") {
            if (i + 1 >= args.size()) {
                err << "sonvex-cli: " << word << " needs a value\n";
                return false;
            }
            const std::optional<int32_t> value = CliArguments::StrictInt(args[++i]);
            if (!value) {
                err << "sonvex-cli: " << word << " needs a whole number, not \"" << args[i]
                    << "\"\n";
                return false;
            }
            (word == "--rate" ? options.rate : options.channels) = value;
        } else if (options.config.empty() && !word.starts_with("--")) {
            options.config = word;
        } else {
            err << "sonvex-cli: unexpected argument \"" << word << "\"\n";
            return false;
        }
    }
    if (options.config.empty()) {
        err << "sonvex-cli: reset needs a configuration file\n";
        return false;
    }
    return true;
}

} // namespace

int ResetCommand::Run(const std::vector<std::string>& args, CliIo& io) const {
    ResetOptions options;
    if (!ParseOptions(args, options, io.err)) {
        io.err << "usage: sonvex-cli " << Synopsis() << "\n";
        return kExitUsage;
    }
    CIniSettingBase config;
    if (!CliArguments::LoadConfiguration(options.config, config, io.err)) {
        return kExitFailure;
    }
    if (options.rate) {
        config.Params.SWFS = *options.rate;
    }
    if (options.channels) {
        config.Params.CHANUM = *options.channels;
    }
    if (!ResetEqBands(config.Params)) {
        io.err << "sonvex-cli: the sample rate " << config.Params.SWFS
               << " Hz leaves no octave above 20 Hz; nothing was reset\n";
        return kExitFailure;
    }
    if (!CliArguments::SaveConfiguration(options.config, config, io.err)) {
        return kExitFailure;
    }
    PrintConfiguration(io.out, config);
    return kExitOk;
}
