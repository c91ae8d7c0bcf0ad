#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

class CIniSettingBase;

// Small helpers shared by the commands of sonvex-cli.
class CliArguments {
public:
    // A whole word as a decimal int32 (optional sign, digits, nothing else); none otherwise.
    static std::optional<int32_t> StrictInt(std::string_view word);
    // A whole word as a number of 1 or more (a time-out, a count) into value; false, value
    // unchanged, for anything else.
    static bool PositiveInt(std::string_view word, int& value);
    // A command-line path (UTF-8 bytes) as the program's UTF-16 path.
    static std::u16string Path(const std::string& word);
    // Loads the configuration named on the command line; false, with a message on err, when it
    // cannot be read.
    static bool LoadConfiguration(const std::string& path, CIniSettingBase& config,
                                  std::ostream& err);
    // Saves the loaded configuration; false, with a message on err that says why and whether
    // the file is unchanged, when it cannot be written.
    static bool SaveConfiguration(const std::string& path, CIniSettingBase& config,
                                  std::ostream& err);
    // Removes every "--force" from args; whether there was one.
    static bool TakeForce(std::vector<std::string>& args);
};
