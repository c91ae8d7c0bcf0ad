#pragma once

#include "cli/CliCommand.h"

// sonvex-cli reset CONFIG [--rate HZ] [--channels N]: the equaliser band reset, saved into
// CONFIG, with the result printed as show prints it.
class ResetCommand : public CliCommand {
public:
    const char* Name() const override { return "reset"; }
    const char* Synopsis() const override { return "reset CONFIG [--rate HZ] [--channels N]"; }
    int Run(const std::vector<std::string>& args, CliIo& io) const override;
};
