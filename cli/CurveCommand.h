#pragma once

#include "cli/CliCommand.h"

// sonvex-cli curve CONFIG --eq 10|8 --channel 0|1: the response curve that the equaliser page
// draws for that channel of the configuration, as CSV (frequency_hz,gain_db; 1000 rows from
// 20 Hz towards half the sample rate).
class CurveCommand : public CliCommand {
public:
    const char* Name() const override { return "curve"; }
    const char* Synopsis() const override { return "curve CONFIG --eq 10|8 --channel 0|1"; }
    int Run(const std::vector<std::string>& args, CliIo& io) const override;
};
