#pragma once

#include "tool/DesignMath.h"

#include <cmath>

namespace sonvex_tool {

// A complex value whose parts are floats.
struct ComplexSingle {
    float re;
    float im;
};

// Complex product; each part is computed in double and rounded to float once.
inline ComplexSingle Multiply(ComplexSingle x, ComplexSingle y) {
    return {Single(Wide(x.re) * Wide(y.re) - Wide(x.im) * Wide(y.im)),
            Single(Wide(x.re) * Wide(y.im) + Wide(x.im) * Wide(y.re))};
}

// (a + jb) / (c + jd). A vanishing |c + jd|^2 is replaced by itself plus epsilon.
inline ComplexSingle ComplexDivide(float a, float b, float c, float d) {
    const float den = Single(Wide(c) * Wide(c) + Wide(d) * Wide(d));
    const float re = Single(Wide(a) * Wide(c) + Wide(b) * Wide(d));
    const float im = Single(Wide(b) * Wide(c) - Wide(a) * Wide(d));
    const float divisor = std::fabs(Wide(den)) < kEpsilon ? Single(Wide(den) + kEpsilon) : den;
    return {Single(Wide(re) / Wide(divisor)), Single(Wide(im) / Wide(divisor))};
}

// The numerator and denominator of a section at e^(-jw), given cos and sin of -w and of -2w.
// Every product and partial sum is a float, added in the order (x0 + x1 cs) + x2 cs2. A float
// sum or product of floats evaluated in double and rounded once is the float operation itself,
// so plain float arithmetic states it exactly.
struct SectionValue {
    ComplexSingle numerator;
    ComplexSingle denominator;
};

inline SectionValue EvaluateSection(float b0, float b1, float b2, float a1, float a2, float cs,
                                    float sn, float cs2, float sn2) {
    const float a0 = 1.0f;
    SectionValue value{};
    value.numerator.re = (b0 + b1 * cs) + b2 * cs2;
    value.numerator.im = b1 * sn + b2 * sn2;
    value.denominator.re = (a0 + a1 * cs) + a2 * cs2;
    value.denominator.im = a1 * sn + a2 * sn2;
    return value;
}

} // namespace sonvex_tool
