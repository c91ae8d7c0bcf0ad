#pragma once

#include "cli/CliCommand.h"

// sonvex-cli curve: a channel's response as CSV (frequency_hz,gain_db), on the design library's
// grid of N points (default 1000) from the start frequency (default 20 Hz; 1 Hz when below 1)
// towards half the sample rate.
//   curve CONFIG --eq 10|8|chain --channel 0|1 [--points N] [--start HZ]
//     the equaliser's curve as the library computes it, or the whole chain: Gain1 + ten-band
//     (when EQSwtch is on) + eight-band (when EQSwtch1 is on) + Gain2 of the configuration;
//   curve --from-file FILE.bin --eq 10|8|chain --channel 0|1 [--points N] [--start HZ]
//     the same from the lattice sections stored in a parameter file (evaluated in double), with
//     the file's sample rate, switches and gains. A file the reader refuses is refused.
// The frequencies are the grid's single-precision values; every number reads back to the value
// printed.
class CurveCommand : public CliCommand {
public:
    const char* Name() const override { return "curve"; }
    const char* Synopsis() const override {
        return "curve CONFIG|--from-file FILE.bin --eq 10|8|chain --channel 0|1 [--points N] "
               "[--start HZ]";
    }
    int Run(const std::vector<std::string>& args, CliIo& io) const override;
};
