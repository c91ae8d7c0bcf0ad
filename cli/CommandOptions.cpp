#include "cli/CommandOptions.h"

#include <algorithm>

std::optional<CommandOptions> CommandOptions::Parse(const std::vector<std::string>& args,
                                                    const std::vector<std::string>& known,
                                                    std::string& error) {
    CommandOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word.size() < 3 || word.compare(0, 2, "--") != 0) {
            options.positional_.push_back(word);
            continue;
        }
        const std::string name = word.substr(2);
        if (std::find(known.begin(), known.end(), name) == known.end()) {
            error = "unknown option " + word;
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            error = word + " needs a value";
            return std::nullopt;
        }
        if (!options.values_.emplace(name, args[i + 1]).second) {
            error = word + " is given twice";
            return std::nullopt;
        }
        ++i;
    }
    return options;
}

std::optional<std::string> CommandOptions::Value(const std::string& name) const {
    const auto found = values_.find(name);
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second;
}
