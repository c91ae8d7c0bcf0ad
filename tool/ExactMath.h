#pragma once

#include "tool/VectorSupport.h"

#include <cstdint>

namespace sonvex_tool {

// Fast forms of the few C library functions that the response needs per point, with the very
// same float results. Each value is first approximated in double to about 1e-14 (relative); when
// the approximation lies clearly away from a midpoint between two floats, its rounding to float
// is the rounding of the exact value, and so of the C library's result (which is within one unit
// in the last place of double). The rare values close to a midpoint, and all values outside the
// approximation's range, are computed with the C library itself.
//
// Every function below is exactly
//   GridFrequencies: frequency[i] = sonvex_grid::Frequency(startFrequency, step, first + i)
//   SinCos:          cs[i] = float(cos(double(theta[i]))), sn[i] = float(sin(double(theta[i])))
//   Log10:           out[i] = float(log10(double(value[i])))
// for any count >= 0. The output arrays may be the input arrays.

void ExactGridFrequencies(float startFrequency, float step, int32_t first, int count,
                          float* frequency);
void ExactSinCos(const float* theta, int count, float* cs, float* sn);
void ExactLog10(const float* value, int count, float* out);

} // namespace sonvex_tool
