#pragma once

#include "cli/CliCommand.h"

// sonvex-cli fit CONFIG --channel 0|1 --measurement FILE [--target FILE | --tilt DB_PER_OCT]
// [--eq 10|8|both] [--range LO-HI] [--out CONFIG2]: chooses the bands of the channel's ten-band
// equaliser, eight-band equaliser or both (the default) that bring the measurement plus the whole
// chain closest to the target (flat unless a target file or a tilt in dB per octave around 1 kHz
// is given) over the range (default 20-20000 Hz), within the device's steps. Prints
// {"rms_before_db", "rms_after_db", "eq10": {"gains", "freqs", "q"}, "eq8": {...}, "seconds"}
// with only the equalisers fitted; with --out, writes CONFIG with those bands in that channel to
// CONFIG2. A measurement or target file that cannot be read exits 2 with the reader's message.
class FitCommand : public CliCommand {
public:
    const char* Name() const override { return "fit"; }
    const char* Synopsis() const override {
        return "fit CONFIG --channel 0|1 --measurement FILE [--target FILE | --tilt DB_PER_OCT] "
               "[--eq 10|8|both] [--range LO-HI] [--out CONFIG2]";
    }
    int Run(const std::vector<std::string>& args, CliIo& io) const override;
};
