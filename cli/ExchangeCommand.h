#pragma once

#include "cli/CliCommand.h"

// The parametric EQ text format other tools read and write:
//
// sonvex-cli export-eq CONFIG --eq 10|8 --channel 0|1 [--preamp DB]: the bands of that
// equaliser of the channel as "Filter N: ON LSC|PK|HSC Fc ... Hz Gain ... dB Q ..." lines on
// standard output, a "Preamp: DB dB" line first only when --preamp is given.
//
// sonvex-cli import-eq CONFIG FILE --eq 10|8 --channel 0|1 [--out CONFIG2]: the filters of FILE
// in that equaliser of the channel, rounded to the device's steps; prints {"eq10"|"eq8": {"gains",
// "freqs", "q"}, "gain2" (when FILE has a Preamp), "changes": [...]} and every change also on
// standard error; with --out, writes CONFIG with those bands (and Gain2) to CONFIG2. A file that
// cannot be read, or names a filter type the device does not have, exits 2 with the reason.
class ExchangeCommand : public CliCommand {
public:
    enum class Direction { Export, Import };

    explicit ExchangeCommand(Direction direction) : direction_(direction) {}

    const char* Name() const override;
    const char* Synopsis() const override;
    int Run(const std::vector<std::string>& args, CliIo& io) const override;

private:
    int Export(const std::vector<std::string>& args, CliIo& io) const;
    int Import(const std::vector<std::string>& args, CliIo& io) const;

    Direction direction_;
};
