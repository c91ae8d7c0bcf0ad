#pragma once

#include <cstdint>
#include <vector>

// The frequency grid on which the design library evaluates a response curve: pointCount points
// from startFrequency (1 Hz when that is below 1) climbing geometrically towards half the sample
// rate, the last one step below it. The frequencies are the library's own, in single precision.
struct DesignGrid {
    int32_t sampleRate = 0;       // Hz
    float startFrequency = 20.0f; // Hz
    int32_t pointCount = 1000;

    // The most points a grid may have.
    static constexpr int32_t kMaxPoints = 1'000'000;

    // The grid the equaliser pages draw: 20 Hz, 1000 points.
    static DesignGrid Display(int32_t sampleRate);

    // A sample rate of at least 2 Hz, a finite start frequency below half of it and 1 to
    // kMaxPoints points.
    bool Valid() const;
    // The frequency of every point, Hz; empty when the grid is not valid.
    std::vector<double> Frequencies() const;

    friend bool operator==(const DesignGrid&, const DesignGrid&) = default;
};
