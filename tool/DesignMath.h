#pragma once

// Numeric conventions of the filter design. Every named quantity is a float; each formula is
// evaluated in double from float operands and rounded to float once. Helpers here keep that
// rounding visible at the call sites.

namespace sonvex_tool {

inline constexpr double kPi = 3.141592653589793;
// 2^-120: the guard of every near-zero test.
inline constexpr double kEpsilon = 0x1p-120;

// Rounds a value computed in double to the single-precision quantity it names.
constexpr float Single(double value) {
    return static_cast<float>(value);
}

// The widening of a float operand before it enters a double formula.
constexpr double Wide(float value) {
    return static_cast<double>(value);
}

// sin(pi/4 rounded to single) rounded to single: the float nearest to sqrt(1/2).
float SqrtHalf();

} // namespace sonvex_tool
