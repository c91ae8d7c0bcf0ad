#include "tool/ExactMath.h"
#include "tool/PointKernels.h"
#include "tool/VectorSupport.h"

namespace sonvex_tool {

#if SONVEX_TOOL_SSE2

namespace {

// Four points at once. Float operations are the scalar float operations lane by lane; the parts
// that the design evaluates in double (complex products and quotients, squared magnitudes,
// the doubled angle's cosine) are widened to two lanes of double each, computed in the same
// order and rounded back to float once.
constexpr int kLanes = 4;

// The small helpers must be inlined into the point loops, or the vectors go through memory.
#if defined(__GNUC__)
#define SONVEX_INLINE inline __attribute__((always_inline))
#else
#define SONVEX_INLINE inline
#endif

struct Wide4 {
    __m128d lo;
    __m128d hi;
};

SONVEX_INLINE Wide4 Widen(__m128 x) {
    return {_mm_cvtps_pd(x), _mm_cvtps_pd(_mm_movehl_ps(x, x))};
}

SONVEX_INLINE __m128 Narrow(__m128d lo, __m128d hi) {
    return _mm_movelh_ps(_mm_cvtpd_ps(lo), _mm_cvtpd_ps(hi));
}

// x0 * y0 - x1 * y1 (Sign -1) or x0 * y0 + x1 * y1 (Sign +1) of widened operands, in double,
// rounded to float once.
template <int Sign>
SONVEX_INLINE __m128 ProductSum(const Wide4& x0, const Wide4& y0, const Wide4& x1,
                                const Wide4& y1) {
    if constexpr (Sign < 0) {
        return Narrow(_mm_sub_pd(_mm_mul_pd(x0.lo, y0.lo), _mm_mul_pd(x1.lo, y1.lo)),
                      _mm_sub_pd(_mm_mul_pd(x0.hi, y0.hi), _mm_mul_pd(x1.hi, y1.hi)));
    } else {
        return Narrow(_mm_add_pd(_mm_mul_pd(x0.lo, y0.lo), _mm_mul_pd(x1.lo, y1.lo)),
                      _mm_add_pd(_mm_mul_pd(x0.hi, y0.hi), _mm_mul_pd(x1.hi, y1.hi)));
    }
}

struct Complex4 {
    __m128 re;
    __m128 im;
};

SONVEX_INLINE Complex4 Multiply(Complex4 x, Complex4 y) {
    const Wide4 xr = Widen(x.re);
    const Wide4 xi = Widen(x.im);
    const Wide4 yr = Widen(y.re);
    const Wide4 yi = Widen(y.im);
    return {ProductSum<-1>(xr, yr, xi, yi), ProductSum<+1>(xr, yi, xi, yr)};
}

// ComplexDivide(a, b, c, d) for numerator a + jb and denominator c + jd.
SONVEX_INLINE Complex4 Divide(Complex4 numerator, Complex4 denominator) {
    const Wide4 a = Widen(numerator.re);
    const Wide4 b = Widen(numerator.im);
    const Wide4 c = Widen(denominator.re);
    const Wide4 d = Widen(denominator.im);
    const __m128 den = ProductSum<+1>(c, c, d, d);
    const __m128 re = ProductSum<+1>(a, c, b, d);
    const __m128 im = ProductSum<-1>(b, c, a, d);
    // den + epsilon in float is the double sum rounded once: both are floats.
    const __m128 epsilon = _mm_set1_ps(0x1p-120f);
    const __m128 small = _mm_cmplt_ps(_mm_andnot_ps(_mm_set1_ps(-0.0f), den), epsilon);
    const __m128 divisor =
        _mm_or_ps(_mm_and_ps(small, _mm_add_ps(den, epsilon)), _mm_andnot_ps(small, den));
    return {_mm_div_ps(re, divisor), _mm_div_ps(im, divisor)};
}

struct Section4 {
    __m128 b0, b1, b2, a1, a2;
};

struct Angle4 {
    __m128 cs, sn, cs2, sn2;
};

struct Value4 {
    Complex4 numerator;
    Complex4 denominator;
};

SONVEX_INLINE Value4 Evaluate(const Section4& s, const Angle4& w) {
    const __m128 one = _mm_set1_ps(1.0f);
    Value4 v{};
    v.numerator.re = _mm_add_ps(_mm_add_ps(s.b0, _mm_mul_ps(s.b1, w.cs)), _mm_mul_ps(s.b2, w.cs2));
    v.numerator.im = _mm_add_ps(_mm_mul_ps(s.b1, w.sn), _mm_mul_ps(s.b2, w.sn2));
    v.denominator.re = _mm_add_ps(_mm_add_ps(one, _mm_mul_ps(s.a1, w.cs)), _mm_mul_ps(s.a2, w.cs2));
    v.denominator.im = _mm_add_ps(_mm_mul_ps(s.a1, w.sn), _mm_mul_ps(s.a2, w.sn2));
    return v;
}

SONVEX_INLINE Section4 Broadcast(const DirectForm& s) {
    return {_mm_set1_ps(s.b0), _mm_set1_ps(s.b1), _mm_set1_ps(s.b2), _mm_set1_ps(s.a1),
            _mm_set1_ps(s.a2)};
}

SONVEX_INLINE Angle4 LoadAngle(const float* cs, const float* sn, const float* cs2, const float* sn2,
                               int i) {
    return {_mm_loadu_ps(cs + i), _mm_loadu_ps(sn + i), _mm_loadu_ps(cs2 + i),
            _mm_loadu_ps(sn2 + i)};
}

int VectorCount(int count) {
    return count - count % kLanes;
}

void Grid(float startFrequency, float step, int32_t first, int count, float* frequency) {
    ExactGridFrequencies(startFrequency, step, first, count, frequency);
}

void Angles(const float* frequency, float thetaScale, int count, float* theta) {
    const int vectorCount = VectorCount(count);
    const __m128 scale = _mm_set1_ps(thetaScale);
    for (int i = 0; i < vectorCount; i += kLanes) {
        _mm_storeu_ps(theta + i, _mm_mul_ps(_mm_loadu_ps(frequency + i), scale));
    }
    ScalarKernels().angles(frequency + vectorCount, thetaScale, count - vectorCount,
                           theta + vectorCount);
}

void SinCos(const float* theta, int count, float* cs, float* sn) {
    ExactSinCos(theta, count, cs, sn);
}

void DoubleAngle(const float* cs, const float* sn, int count, float* cs2, float* sn2) {
    const int vectorCount = VectorCount(count);
    for (int i = 0; i < vectorCount; i += kLanes) {
        const __m128 c = _mm_loadu_ps(cs + i);
        const __m128 s = _mm_loadu_ps(sn + i);
        const Wide4 cw = Widen(c);
        const Wide4 sw = Widen(s);
        _mm_storeu_ps(cs2 + i, ProductSum<-1>(cw, cw, sw, sw));
        _mm_storeu_ps(sn2 + i, _mm_mul_ps(_mm_add_ps(c, c), s));
    }
    ScalarKernels().doubleAngle(cs + vectorCount, sn + vectorCount, count - vectorCount,
                                cs2 + vectorCount, sn2 + vectorCount);
}

void CascadeResponse(const Cascade& cascade, const float* cs, const float* sn, const float* cs2,
                     const float* sn2, int count, float* re, float* im) {
    // Band after band over all points, the running product of the peaking sections kept in re
    // and im, so that the points' independent chains overlap; each point still sees its own
    // operations in the order of the reference.
    const int vectorCount = VectorCount(count);
    const int last = cascade.peakCount + 1;
    for (int i = 0; i < vectorCount; i += kLanes) {
        _mm_storeu_ps(re + i, _mm_set1_ps(1.0f));
        _mm_storeu_ps(im + i, _mm_setzero_ps());
    }
    for (int band = 1; band < last; ++band) {
        const Section4 section = Broadcast(cascade.sections[band]);
        for (int i = 0; i < vectorCount; i += kLanes) {
            const Value4 v = Evaluate(section, LoadAngle(cs, sn, cs2, sn2, i));
            const Complex4 peaks{_mm_loadu_ps(re + i), _mm_loadu_ps(im + i)};
            const Complex4 next = Divide(Multiply(peaks, v.numerator), v.denominator);
            _mm_storeu_ps(re + i, next.re);
            _mm_storeu_ps(im + i, next.im);
        }
    }
    const Section4 low = Broadcast(cascade.sections[0]);
    const Section4 high = Broadcast(cascade.sections[last]);
    for (int i = 0; i < vectorCount; i += kLanes) {
        const Angle4 w = LoadAngle(cs, sn, cs2, sn2, i);
        const Value4 lowValue = Evaluate(low, w);
        const Complex4 l = Divide(lowValue.numerator, lowValue.denominator);
        const Value4 highValue = Evaluate(high, w);
        const Complex4 u = Divide(highValue.numerator, highValue.denominator);
        const Complex4 peaks{_mm_loadu_ps(re + i), _mm_loadu_ps(im + i)};
        const Complex4 r = Multiply(u, Multiply(l, peaks));
        _mm_storeu_ps(re + i, r.re);
        _mm_storeu_ps(im + i, r.im);
    }
    ScalarKernels().cascade(cascade, cs + vectorCount, sn + vectorCount, cs2 + vectorCount,
                            sn2 + vectorCount, count - vectorCount, re + vectorCount,
                            im + vectorCount);
}

void Decibels(const float* re, const float* im, int count, float* curve) {
    // The magnitude goes into curve first, its logarithm over it.
    const int vectorCount = VectorCount(count);
    for (int i = 0; i < vectorCount; i += kLanes) {
        const __m128 r = _mm_loadu_ps(re + i);
        const __m128 m = _mm_loadu_ps(im + i);
        const Wide4 rw = Widen(r);
        const Wide4 mw = Widen(m);
        _mm_storeu_ps(curve + i, _mm_sqrt_ps(ProductSum<+1>(rw, rw, mw, mw)));
    }
    ScalarKernels().decibels(re + vectorCount, im + vectorCount, count - vectorCount,
                             curve + vectorCount);
    ExactLog10(curve, vectorCount, curve);
    const __m128 twenty = _mm_set1_ps(20.0f);
    for (int i = 0; i < vectorCount; i += kLanes) {
        _mm_storeu_ps(curve + i, _mm_mul_ps(_mm_loadu_ps(curve + i), twenty));
    }
}

constexpr PointKernels kVector{Grid, Angles, SinCos, DoubleAngle, CascadeResponse, Decibels};

} // namespace

const PointKernels* Sse2Kernels() {
    return &kVector;
}

#else

const PointKernels* Sse2Kernels() {
    return nullptr;
}

#endif

const PointKernels& FastestKernels() {
    if (const PointKernels* avx2 = Avx2Kernels()) {
        return *avx2;
    }
    if (const PointKernels* sse2 = Sse2Kernels()) {
        return *sse2;
    }
    return ScalarKernels();
}

} // namespace sonvex_tool
