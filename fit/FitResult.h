#pragma once

#include "params/EqualiserBands.h"
#include "params/ParameterSet.h"

#include <cstdint>
#include <optional>

enum class FitStatus {
    Ok,
    Cancelled,      // the cancel flag was raised; nothing was chosen
    LibraryMissing, // the design library or one of its entry points is not loaded
    BadSampleRate,  // SWFS leaves a band no frequency (below 4 Hz), or the response was aligned
                    // for another sample rate
};

// What a fit chose: the bands of each equaliser it fitted (only those), every one within the
// device's steps, and the error between predicted response and target before (the current bands)
// and after (the chosen ones), in dB RMS. The equalisers that are fitted count as switched on in
// both figures; the other one follows its switch.
struct FitResult {
    FitStatus status = FitStatus::Ok;
    std::optional<EqualiserBands> tenBand;
    std::optional<EqualiserBands> eightBand;
    double rmsBefore = 0.0;
    double rmsAfter = 0.0;
    // The error of the best continuous minimum (before the device's steps), for comparison.
    double rmsContinuous = 0.0;
    int64_t evaluations = 0; // calls into the design library

    bool Ok() const { return status == FitStatus::Ok; }
    // set with the chosen bands stored into channel; nothing else changes.
    ParameterSet AppliedTo(const ParameterSet& set, int channel) const;
};
