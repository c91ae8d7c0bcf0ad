#pragma once

// The logarithmic frequency grid of the response curve, shared by the filter design library and
// by the program (which labels the curve's points with it). The grid starts at startFrequency (at
// 1 Hz when that is below 1) and climbs geometrically towards half the sample rate, the last of
// pointCount points lying one step below it. half, step and every frequency are floats, each
// computed in double from float operands and rounded once.

#include <cmath>
#include <cstdint>

namespace sonvex_grid {

// Half the sample rate, in single precision.
inline float HalfRate(int32_t sampleRate) {
    return static_cast<float>(static_cast<double>(static_cast<float>(sampleRate)) * 0.5);
}

// The step between grid points, in octaves.
inline float Step(int32_t sampleRate, float startFrequency, int32_t pointCount) {
    const double half = HalfRate(sampleRate);
    const double span = startFrequency < 1.0f ? half : half / static_cast<double>(startFrequency);
    return static_cast<float>(std::log10(span) / std::log10(2.0) / static_cast<double>(pointCount));
}

// Frequency of point index.
inline float Frequency(float startFrequency, float step, int32_t index) {
    const double octaves = static_cast<double>(step) * static_cast<double>(index);
    if (startFrequency < 1.0f) {
        return static_cast<float>(std::pow(2.0, octaves));
    }
    return static_cast<float>(static_cast<double>(startFrequency) * std::pow(2.0, octaves));
}

} // namespace sonvex_grid
