#pragma once

#include "params/EqualiserBands.h"

#include <optional>
#include <string>

// Writes an equaliser's bands in the parametric EQ text format: one line per band in band order,
// "Filter 1: ON LSC Fc 50 Hz Gain 3.0 dB Q 0.707", then "Filter 2: ON PK Fc ... Q 2.5" for each
// peaking band and "HSC" for the last; every band is written, 0 dB ones too, so that the file
// carries all of them. A "Preamp: ... dB" line comes first only when one is given.
class ParametricEqWriter {
public:
    // The Q with which a standard (audio-EQ cookbook) shelf matches the device's shelves: theirs
    // is the second-order Butterworth shelf with half the gain at the corner, which is the
    // cookbook shelf of Q 1/sqrt(2) - the same filter in exact arithmetic. What remains is the
    // single precision of the device's design: from 20 Hz to 20 kHz at 44.1 and 48 kHz the
    // library's shelves stay within 0.017 dB of the cookbook's for corners from 100 Hz up and
    // within 0.07 dB at 25 Hz (bench_shelf_match). Written with three decimals.
    static constexpr double kShelfQ = 0.707;

    static std::string Write(const EqualiserBands& bands, std::optional<double> preamp = {});
};
