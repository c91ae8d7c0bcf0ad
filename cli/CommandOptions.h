#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// The words of a command split into positional arguments and "--name value" options, every
// option named at most once and taken from a known set.
class CommandOptions {
public:
    // Returns none, with the reason in error, when an option is unknown, repeated or has no
    // value.
    static std::optional<CommandOptions> Parse(const std::vector<std::string>& args,
                                               const std::vector<std::string>& known,
                                               std::string& error);

    const std::vector<std::string>& Positional() const { return positional_; }
    // The value of --name, or none when it was not given.
    std::optional<std::string> Value(const std::string& name) const;

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> values_;
};
