#pragma once

#include "tool/DirectForm.h"

#include <cstdint>

namespace sonvex_tool {

// The sections of one equaliser in the order of the cascade: the low shelf, the peaking
// sections in band order, the high shelf (peakCount + 2 sections).
struct Cascade {
    const DirectForm* sections;
    int peakCount;
};

struct PointKernels;

// Writes pointCount values of 20 log10 |H| (dB) of the cascade, on the grid from startFrequency
// towards half the sample rate. Writes nothing when pointCount <= 0. Every set of kernels gives
// the same bits (PointKernels.h); the fastest is the default.
void EvaluateResponse(const Cascade& cascade, int32_t sampleRate, float startFrequency,
                      int32_t pointCount, float* curve);
void EvaluateResponse(const Cascade& cascade, int32_t sampleRate, float startFrequency,
                      int32_t pointCount, float* curve, const PointKernels& kernels);

} // namespace sonvex_tool
