#pragma once

#include "tool/ResponseCurve.h"

#include <cstdint>

namespace sonvex_tool {

// The stages of the response evaluation over a block of points. Every stage is independent
// across points, so a vector implementation may work on several points at once; all
// implementations give bit-identical results.
struct PointKernels {
    // frequency[i] = grid frequency of point first + i.
    void (*grid)(float startFrequency, float step, int32_t first, int count, float* frequency);
    // theta[i] = frequency[i] * thetaScale.
    void (*angles)(const float* frequency, float thetaScale, int count, float* theta);
    // cs[i] = cos(theta[i]), sn[i] = sin(theta[i]), in double, rounded to float.
    void (*sinCos)(const float* theta, int count, float* cs, float* sn);
    // cs2 = cs^2 - sn^2, sn2 = 2 cs sn: the angle doubled.
    void (*doubleAngle)(const float* cs, const float* sn, int count, float* cs2, float* sn2);
    // The complex response of the cascade at every point.
    void (*cascade)(const Cascade& cascade, const float* cs, const float* sn, const float* cs2,
                    const float* sn2, int count, float* re, float* im);
    // curve[i] = 20 log10 |re[i] + j im[i]|.
    void (*decibels)(const float* re, const float* im, int count, float* curve);
};

// Point by point, with the C library's functions: the reference.
const PointKernels& ScalarKernels();
// Four points at a time with SSE2; null where the build has no SSE2.
const PointKernels* Sse2Kernels();
// Eight points at a time with AVX2; null where the build or the processor has no AVX2.
const PointKernels* Avx2Kernels();
// The fastest of them on this processor.
const PointKernels& FastestKernels();

} // namespace sonvex_tool
