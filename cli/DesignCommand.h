#pragma once

#include "cli/CliCommand.h"

// sonvex-cli design --eq 10|8 --rate HZ --gains G,... --freqs F,... --q Q,...: the
// lattice-ladder coefficients of every band, as JSON.
class DesignCommand : public CliCommand {
public:
    const char* Name() const override { return "design"; }
    const char* Synopsis() const override {
        return "design --eq 10|8 --rate HZ --gains G,... --freqs F,... --q Q,...";
    }
    int Run(const std::vector<std::string>& args, CliIo& io) const override;
};
