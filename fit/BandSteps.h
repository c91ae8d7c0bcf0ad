#pragma once

#include "fit/BandValues.h"
#include "params/EqualiserBands.h"

#include <cstdint>
#include <vector>

// The bands of one equaliser on the device's steps: whole dB, whole Hz and Q in tenths, one entry
// per band (the shelves' Q entries are not used).
struct BandSteps {
    EqualiserKind kind = EqualiserKind::TenBand;
    std::vector<int32_t> gain;
    std::vector<int32_t> frequency;
    std::vector<int32_t> qTenths;

    // Each value rounded to its step and clamped to the device's range, Q also to at most
    // maxQTenths.
    static BandSteps Round(const BandValues& values, int32_t sampleRate, int32_t maxQTenths);
    // The device's own bands when they are on its steps (any Q above 0.5 with one decimal);
    // false otherwise.
    static bool Exactly(const EqualiserBands& bands, int32_t sampleRate, BandSteps& steps);

    int Bands() const { return EqualiserBands::BandCount(kind); }
    BandValues Values() const;
    EqualiserBands ToBands() const;

    friend bool operator==(const BandSteps&, const BandSteps&) = default;
};
