#pragma once

#include <string>
#include <vector>

// One in-process run of sonvex-cli with its exit code and what it printed.
struct CliRun {
    int code = -1;
    std::string out;
    std::string err;

    // Runs the arguments with programDirectory (ending with a separator) as the program's folder.
    static CliRun Of(const std::vector<std::string>& args, const std::u16string& programDirectory);
    // Standard output without blanks and line breaks, for matching JSON fragments.
    std::string Compact() const;
};
