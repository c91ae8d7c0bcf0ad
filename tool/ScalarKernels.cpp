#include "tool/ComplexSingle.h"
#include "tool/DesignMath.h"
#include "tool/FrequencyGrid.h"
#include "tool/PointKernels.h"

#include <cmath>

namespace sonvex_tool {

namespace {

void Grid(float startFrequency, float step, int32_t first, int count, float* frequency) {
    for (int i = 0; i < count; ++i) {
        frequency[i] = sonvex_grid::Frequency(startFrequency, step, first + i);
    }
}

void Angles(const float* frequency, float thetaScale, int count, float* theta) {
    for (int i = 0; i < count; ++i) {
        theta[i] = Single(Wide(frequency[i]) * Wide(thetaScale));
    }
}

void SinCos(const float* theta, int count, float* cs, float* sn) {
    for (int i = 0; i < count; ++i) {
        cs[i] = Single(std::cos(Wide(theta[i])));
        sn[i] = Single(std::sin(Wide(theta[i])));
    }
}

void DoubleAngle(const float* cs, const float* sn, int count, float* cs2, float* sn2) {
    for (int i = 0; i < count; ++i) {
        cs2[i] = Single(Wide(cs[i]) * Wide(cs[i]) - Wide(sn[i]) * Wide(sn[i]));
        sn2[i] = Single(2.0 * Wide(cs[i]) * Wide(sn[i]));
    }
}

ComplexSingle SectionQuotient(const DirectForm& s, float cs, float sn, float cs2, float sn2) {
    const SectionValue v = EvaluateSection(s.b0, s.b1, s.b2, s.a1, s.a2, cs, sn, cs2, sn2);
    return ComplexDivide(v.numerator.re, v.numerator.im, v.denominator.re, v.denominator.im);
}

void CascadeResponse(const Cascade& cascade, const float* cs, const float* sn, const float* cs2,
                     const float* sn2, int count, float* re, float* im) {
    const DirectForm& low = cascade.sections[0];
    const DirectForm& high = cascade.sections[cascade.peakCount + 1];
    for (int i = 0; i < count; ++i) {
        const ComplexSingle l = SectionQuotient(low, cs[i], sn[i], cs2[i], sn2[i]);
        const ComplexSingle u = SectionQuotient(high, cs[i], sn[i], cs2[i], sn2[i]);
        ComplexSingle w{1.0f, 0.0f};
        for (int band = 1; band <= cascade.peakCount; ++band) {
            const DirectForm& s = cascade.sections[band];
            const SectionValue v =
                EvaluateSection(s.b0, s.b1, s.b2, s.a1, s.a2, cs[i], sn[i], cs2[i], sn2[i]);
            const ComplexSingle product = Multiply(w, v.numerator);
            w = ComplexDivide(product.re, product.im, v.denominator.re, v.denominator.im);
        }
        const ComplexSingle p = Multiply(l, w);
        const ComplexSingle r = Multiply(u, p);
        re[i] = r.re;
        im[i] = r.im;
    }
}

void Decibels(const float* re, const float* im, int count, float* curve) {
    for (int i = 0; i < count; ++i) {
        const float magnitudeSquared =
            Single(Wide(re[i]) * Wide(re[i]) + Wide(im[i]) * Wide(im[i]));
        const float magnitude = Single(std::sqrt(Wide(magnitudeSquared)));
        const float logarithm = Single(std::log10(Wide(magnitude)));
        curve[i] = Single(20.0 * Wide(logarithm));
    }
}

constexpr PointKernels kScalar{Grid, Angles, SinCos, DoubleAngle, CascadeResponse, Decibels};

} // namespace

const PointKernels& ScalarKernels() {
    return kScalar;
}

} // namespace sonvex_tool
