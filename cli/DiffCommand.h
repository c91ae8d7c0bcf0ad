#pragma once

#include "cli/CliCommand.h"

// sonvex-cli diff A B: the field-level differences of two parameter files or config.ini files,
// either kind on either side (told apart by their content). A configuration is compared as the
// parameter file that push would write from it, so when a side is a parameter file only what
// the file carries counts; two configurations compare every key. Prints JSON {"identical":
// bool, "differences": [...]} (see DifferenceJson.h). Exit codes: 0 identical, 1 not, 2 a usage
// error or a side that cannot be read or is neither kind.
class DiffCommand : public CliCommand {
public:
    const char* Name() const override { return "diff"; }
    const char* Synopsis() const override { return "diff A B"; }
    int Run(const std::vector<std::string>& args, CliIo& io) const override;
};
