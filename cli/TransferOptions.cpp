#include "cli/TransferOptions.h"

#include "cli/CliArguments.h"
#include "device/DeviceTransfer.h"

#include <set>

namespace {

// Takes the value after an option; false when there is none.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, std::string& value) {
    if (i + 1 >= args.size()) {
        return false;
    }
    value = args[++i];
    return true;
}

} // namespace

std::optional<TransferOptions> TransferOptions::Parse(const std::vector<std::string>& args,
                                                      bool pull, std::ostream& err) {
    TransferOptions options;
    options.timeoutMs = DeviceTransfer::kDefaultTimeoutMs;
    std::set<std::string> seen;
    const auto fail = [&err](const std::string& reason) {
        err << "sonvex-cli: " << reason << "\n";
        return std::nullopt;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (!word.starts_with("--")) {
            if (!options.config.empty()) {
                return fail("unexpected argument \"" + word + "\"");
            }
            options.config = word;
            continue;
        }
        if (!seen.insert(word).second) {
            return fail(word + " is given twice");
        }
        std::string value;
        if (word == "--timeout") {
            if (!TakeValue(args, i, value) ||
                !CliArguments::PositiveInt(value, options.timeoutMs)) {
                return fail("--timeout needs a number of milliseconds, 1 or more");
            }
        } else if (word == "--serial") {
            if (!TakeValue(args, i, options.serial) || options.serial.empty()) {
                return fail("--serial needs the serial of a device (see sonvex-cli devices)");
            }
        } else if (word == "--log") {
            if (!TakeValue(args, i, options.log) || options.log.empty()) {
                return fail("--log needs a file");
            }
        } else if (pull && word == "--force") {
            options.force = true;
        } else if (!pull && word == "--all") {
            options.all = true;
        } else if (!pull && word == "--verify") {
            options.verify = true;
        } else if (!pull && word == "--jobs") {
            if (!TakeValue(args, i, value) || !CliArguments::PositiveInt(value, options.jobs)) {
                return fail("--jobs needs a number of devices at a time, 1 or more");
            }
        } else {
            return fail("unexpected argument \"" + word + "\"");
        }
    }
    if (options.config.empty()) {
        return fail("a configuration file is needed");
    }
    if (options.all && !options.serial.empty()) {
        return fail("--serial and --all exclude each other");
    }
    if (seen.count("--jobs") != 0 && !options.all) {
        return fail("--jobs goes with --all");
    }
    return options;
}
