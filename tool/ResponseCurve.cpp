#include "tool/ResponseCurve.h"

#include "tool/ComplexSingle.h"
#include "tool/DesignMath.h"
#include "tool/FrequencyGrid.h"
#include "tool/PointKernels.h"

#include <algorithm>

namespace sonvex_tool {

namespace {

// Points are computed in blocks so that the working arrays stay small and on the stack.
constexpr int kBlockPoints = 128;

struct PointBlock {
    alignas(16) float frequency[kBlockPoints];
    alignas(16) float theta[kBlockPoints];
    alignas(16) float cs[kBlockPoints];
    alignas(16) float sn[kBlockPoints];
    alignas(16) float cs2[kBlockPoints];
    alignas(16) float sn2[kBlockPoints];
    alignas(16) float re[kBlockPoints];
    alignas(16) float im[kBlockPoints];
};

} // namespace

void EvaluateResponse(const Cascade& cascade, int32_t sampleRate, float startFrequency,
                      int32_t pointCount, float* curve) {
    EvaluateResponse(cascade, sampleRate, startFrequency, pointCount, curve, FastestKernels());
}

void EvaluateResponse(const Cascade& cascade, int32_t sampleRate, float startFrequency,
                      int32_t pointCount, float* curve, const PointKernels& kernels) {
    if (pointCount <= 0) {
        return;
    }
    const float half = sonvex_grid::HalfRate(sampleRate);
    const float step = sonvex_grid::Step(sampleRate, startFrequency, pointCount);
    // -pi / half: the angle -2 pi f / fs per Hz.
    const float thetaScale = Single(-kPi / Wide(half));

    PointBlock block;
    // The block start counts in 64 bits: the last block may end at the largest int32.
    for (int64_t start = 0; start < pointCount; start += kBlockPoints) {
        const int32_t first = static_cast<int32_t>(start);
        const int count = static_cast<int>(std::min<int64_t>(kBlockPoints, pointCount - start));
        kernels.grid(startFrequency, step, first, count, block.frequency);
        kernels.angles(block.frequency, thetaScale, count, block.theta);
        kernels.sinCos(block.theta, count, block.cs, block.sn);
        kernels.doubleAngle(block.cs, block.sn, count, block.cs2, block.sn2);
        kernels.cascade(cascade, block.cs, block.sn, block.cs2, block.sn2, count, block.re,
                        block.im);
        kernels.decibels(block.re, block.im, count, curve + first);
    }
}

} // namespace sonvex_tool
