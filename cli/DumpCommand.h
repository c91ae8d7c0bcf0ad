#pragma once

#include "cli/CliCommand.h"

// sonvex-cli dump IN.bin: a parameter file as JSON. Every field of the parameter set under its
// configuration key, as show prints them; the file does not carry the editor state (links and
// channel selections), which is printed as false and 0. Then the coefficient areas as the
// arrays EQ10COEF_L, EQ10COEF_R (50 floats each), EQ8COEF_L and EQ8COEF_R (40 each). A file is
// refused as read refuses it; --force takes one of another length.
class DumpCommand : public CliCommand {
public:
    const char* Name() const override { return "dump"; }
    const char* Synopsis() const override { return "dump IN.bin [--force]"; }
    int Run(const std::vector<std::string>& args, CliIo& io) const override;
};
