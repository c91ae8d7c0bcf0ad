#pragma once

#include "tool/VectorSupport.h"

#include <cstdint>

namespace sonvex_tool {

// Fast forms of the few C library functions that the response needs per point, with the very
// same float results. Each value is first approximated in double to better than 1e-13
// (relative); when the approximation lies clearly away from a midpoint between two floats (more
// than 2^-36 of the value), its rounding to float is the rounding of the exact value, and so of
// the C library's result (which is within one unit in the last place of double). The rare values
// close to a midpoint, and all values outside the approximation's range, are computed by the C
// library itself.

// The C library's values, one at a time: the reference, and the fallback of the fast forms.
float LibraryGridFrequency(float startFrequency, float step, int32_t index);
void LibrarySinCos(float theta, float& cs, float& sn);
float LibraryLog10(float value);

// The SSE2 fast forms (the C library's values on other platforms), for any count >= 0; the
// output arrays may be the input arrays:
//   ExactGridFrequencies: frequency[i] = LibraryGridFrequency(startFrequency, step, first + i)
//   ExactSinCos:          LibrarySinCos(theta[i], cs[i], sn[i])
//   ExactLog10:           out[i] = LibraryLog10(value[i])
void ExactGridFrequencies(float startFrequency, float step, int32_t first, int count,
                          float* frequency);
void ExactSinCos(const float* theta, int count, float* cs, float* sn);
void ExactLog10(const float* value, int count, float* out);

namespace exact_math {

// Adding 1.5 * 2^52 to a double below 2^51 in magnitude rounds it to an integer, which then
// stands in the low bits of the sum (two's complement for negative integers).
inline constexpr double kRoundMagic = 0x1.8p52;

// An approximation decides the float rounding when it lies in the range of normal floats and
// more than 2^-36 of its value away from a midpoint between two floats. The 29 low mantissa bits
// of a double are what rounding to float drops; the midpoint is 2^28 there, and 2^-36 of the
// value is at most 2^17 units of them: the undecided band is low - (2^28 - 2^17) in [0, 2^18].
inline constexpr int64_t kDroppedBits = 0x1FFFFFFF;
inline constexpr int32_t kUndecidedFrom = (1 << 28) - (1 << 17);
inline constexpr int32_t kUndecidedWidth = 1 << 18;
inline constexpr double kSmallestNormal = 0x1p-126;
inline constexpr double kLargest = 0x1p127;

// exp(u) for |u| <= ln(2) / 2, Taylor to order 12 (error below 2e-16); highest order first.
inline constexpr double kExp[] = {1.0 / 479001600.0,
                                  1.0 / 39916800.0,
                                  1.0 / 3628800.0,
                                  1.0 / 362880.0,
                                  1.0 / 40320.0,
                                  1.0 / 5040.0,
                                  1.0 / 720.0,
                                  1.0 / 120.0,
                                  1.0 / 24.0,
                                  1.0 / 6.0,
                                  1.0 / 2.0,
                                  1.0,
                                  1.0};
inline constexpr double kLn2 = 0.6931471805599453;

// sin(r) = r + r * r2 * S(r2) and cos(r) = 1 + r2 * C(r2) for |r| <= pi / 4 (a little more
// after rounding), Taylor to orders 13 and 14 (relative errors below 3e-14 and 2e-15).
inline constexpr double kSin[] = {1.0 / 6227020800.0, -1.0 / 39916800.0, 1.0 / 362880.0,
                                  -1.0 / 5040.0,      1.0 / 120.0,       -1.0 / 6.0};
inline constexpr double kCos[] = {
    -1.0 / 87178291200.0, 1.0 / 479001600.0, -1.0 / 3628800.0, 1.0 / 40320.0,
    -1.0 / 720.0,         1.0 / 24.0,        -1.0 / 2.0};
// Angles up to this magnitude are reduced by multiples of pi / 2, held in two parts: the first
// of 33 bits, so that k times it and the first subtraction are exact.
inline constexpr double kSinCosRange = 4.0;
inline constexpr double kTwoOverPi = 0.6366197723675814;
inline constexpr double kHalfPiHigh = 1.57079632673412561417e+00;
inline constexpr double kHalfPiLow = 6.07710050650619224932e-11;

// log(x) = 2 atanh(s) = s * (2 + z * A(z)), s = (x - 1) / (x + 1), z = s^2, for x within a
// factor of sqrt(2) of 1 (|s| <= 0.1716); terms to s^15 (relative error below 4e-14).
inline constexpr double kAtanh[] = {2.0 / 15.0, 2.0 / 13.0, 2.0 / 11.0, 2.0 / 9.0,
                                    2.0 / 7.0,  2.0 / 5.0,  2.0 / 3.0};
inline constexpr double kLog10Of2 = 0.30102999566398120;
inline constexpr double kOneOverLn10 = 0.43429448190325182;
// A float's bits split as 2^e * x with sqrt(1/2) <= x < sqrt(2): add kMantissaShift, take the
// exponent field, then the mantissa field plus kSqrtHalfBits.
inline constexpr int32_t kSqrtHalfBits = 0x3F3504F3;
inline constexpr int32_t kMantissaShift = 0x3F800000 - kSqrtHalfBits;

// The grid's powers of two are chained over this many steps before they are computed afresh,
// so that the products add no more than about 2e-14 (relative).
inline constexpr int kGridChain = 32;
inline constexpr double kGridRange = 1000.0;

template <typename T, int N>
constexpr int Count(const T (&)[N]) {
    return N;
}

} // namespace exact_math

} // namespace sonvex_tool
