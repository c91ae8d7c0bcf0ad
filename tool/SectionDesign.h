#pragma once

#include "tool/DirectForm.h"
#include "tool/ToolApi.h"

namespace sonvex_tool {

// The linear gain of a band: 10^(gainDb / 20).
float LinearGain(float gainDb);

// The angle of a frequency, 2 f pi / fs.
float Angle(float frequency, int sampleRate);

// The angle at which the high shelf is designed: the mirror image pi - 2 f pi / fs, computed as
// (1 - 2 f / fs) pi with fs in single precision.
float MirroredAngle(float frequency, int sampleRate);

// Order-2 Butterworth shelf with reference gain 1 and bandwidth gain sqrt(G): gain G at 0 Hz and
// 1 at half the sample rate for a low shelf; a high shelf is the same section designed at the
// mirrored angle with its odd coefficients negated (1 at 0 Hz, G at half the sample rate).
DirectForm DesignShelf(float linearGain, float angle, bool highShelf);

// Peaking section: gain G at the centre angle, 1 at 0 Hz and half the sample rate, and the two
// half-gain (in dB) points `bandwidth` apart.
DirectForm DesignPeaking(float linearGain, float angle, float bandwidth);

// Step-down recursion from direct form to lattice-ladder form.
LatticeSection StepDown(const DirectForm& section);

} // namespace sonvex_tool
