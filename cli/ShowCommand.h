#pragma once

#include "cli/CliCommand.h"

// sonvex-cli show CONFIG: the loaded configuration as JSON.
class ShowCommand : public CliCommand {
public:
    const char* Name() const override { return "show"; }
    const char* Synopsis() const override { return "show CONFIG"; }
    int Run(const std::vector<std::string>& args, CliIo& io) const override;
};
