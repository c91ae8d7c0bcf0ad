// The response kernels for eight points at a time with AVX2: the same order of operations as the
// scalar reference, lane by lane (see Sse2Kernels.cpp for the four-point form of the same code).
// Every function that uses AVX2 carries the target attribute, so nothing of it runs on a
// processor without AVX2: Avx2Kernels() checks the processor first.

#include "tool/ExactMath.h"
#include "tool/PointKernels.h"
#include "tool/VectorSupport.h"

#if SONVEX_TOOL_AVX2
#include <immintrin.h>
#endif

namespace sonvex_tool {

#if SONVEX_TOOL_AVX2

namespace {

using namespace exact_math;

#define SONVEX_AVX2 __attribute__((target("avx2")))
#define SONVEX_AVX2_INLINE inline __attribute__((target("avx2"), always_inline))

constexpr int kLanes = 8;

// ---- The C library's functions, four doubles at a time (see ExactMath.h) ----------------------

SONVEX_AVX2_INLINE __m256d Abs(__m256d x) {
    return _mm256_andnot_pd(_mm256_set1_pd(-0.0), x);
}

// Lane bits (0 to 3 of a movemask) of the approximations that do not decide the float rounding.
SONVEX_AVX2_INLINE int UndecidedLanes(__m256d approximation) {
    const __m256d magnitude = Abs(approximation);
    const __m256d normal =
        _mm256_and_pd(_mm256_cmp_pd(magnitude, _mm256_set1_pd(kSmallestNormal), _CMP_GE_OQ),
                      _mm256_cmp_pd(magnitude, _mm256_set1_pd(kLargest), _CMP_LT_OQ));
    const __m256i low =
        _mm256_and_si256(_mm256_castpd_si256(approximation), _mm256_set1_epi64x(kDroppedBits));
    // Only the low dword of each lane matters.
    const __m256i offset = _mm256_sub_epi32(low, _mm256_set1_epi32(kUndecidedFrom));
    const __m256i near =
        _mm256_and_si256(_mm256_cmpgt_epi32(offset, _mm256_set1_epi32(-1)),
                         _mm256_cmpgt_epi32(_mm256_set1_epi32(kUndecidedWidth + 1), offset));
    const int nearLanes = _mm256_movemask_pd(
        _mm256_castsi256_pd(_mm256_shuffle_epi32(near, _MM_SHUFFLE(2, 2, 0, 0))));
    return nearLanes | (~_mm256_movemask_pd(normal) & 0xF);
}

SONVEX_AVX2_INLINE __m256d Horner(__m256d x, const double* coefficients, int count) {
    __m256d sum = _mm256_set1_pd(coefficients[0]);
    for (int i = 1; i < count; ++i) {
        sum = _mm256_add_pd(_mm256_mul_pd(sum, x), _mm256_set1_pd(coefficients[i]));
    }
    return sum;
}

SONVEX_AVX2_INLINE __m256d Exp2(__m256d x) {
    const __m256d magic = _mm256_set1_pd(kRoundMagic);
    const __m256d rounded = _mm256_add_pd(x, magic);
    const __m256d n = _mm256_sub_pd(rounded, magic);
    const __m256d u = _mm256_mul_pd(_mm256_sub_pd(x, n), _mm256_set1_pd(kLn2));
    const __m256d fraction = Horner(u, kExp, Count(kExp));
    const __m256i exponent =
        _mm256_slli_epi64(_mm256_add_epi64(_mm256_castpd_si256(rounded),
                                           _mm256_set1_epi64x(1023 - (int64_t{1} << 51))),
                          52);
    return _mm256_mul_pd(fraction, _mm256_castsi256_pd(exponent));
}

SONVEX_AVX2 void Grid(float startFrequency, float step, int32_t first, int count,
                      float* frequency) {
    const __m256d scale = _mm256_set1_pd(startFrequency < 1.0f ? 1.0 : startFrequency);
    const double firstOctave = static_cast<double>(step) * static_cast<double>(first);
    const double lastOctave = static_cast<double>(step) * static_cast<double>(first + count);
    const bool inRange = firstOctave < kGridRange && firstOctave > -kGridRange &&
                         lastOctave < kGridRange && lastOctave > -kGridRange;
    const __m256d ratio = Exp2(_mm256_set1_pd(4.0 * static_cast<double>(step)));
    __m256d power = _mm256_setzero_pd();
    int i = 0;
    for (; inRange && i + 4 <= count; i += 4) {
        if ((i / 4) % kGridChain == 0) {
            const __m256d index = _mm256_set_pd(
                static_cast<double>(first + i + 3), static_cast<double>(first + i + 2),
                static_cast<double>(first + i + 1), static_cast<double>(first + i));
            power = Exp2(_mm256_mul_pd(_mm256_set1_pd(step), index));
        } else {
            power = _mm256_mul_pd(power, ratio);
        }
        const __m256d approximation = _mm256_mul_pd(power, scale);
        int undecided = UndecidedLanes(approximation);
        _mm_storeu_ps(frequency + i, _mm256_cvtpd_ps(approximation));
        for (int lane = 0; undecided != 0; ++lane, undecided >>= 1) {
            if ((undecided & 1) != 0) {
                frequency[i + lane] = LibraryGridFrequency(startFrequency, step, first + i + lane);
            }
        }
    }
    for (; i < count; ++i) {
        frequency[i] = LibraryGridFrequency(startFrequency, step, first + i);
    }
}

SONVEX_AVX2 void SinCos(const float* theta, int count, float* cs, float* sn) {
    const __m256d magic = _mm256_set1_pd(kRoundMagic);
    const __m256i signBit = _mm256_set1_epi64x(INT64_MIN);
    const __m256i one = _mm256_set1_epi64x(1);
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const float given[4] = {theta[i], theta[i + 1], theta[i + 2], theta[i + 3]};
        const __m256d t = _mm256_cvtps_pd(_mm_loadu_ps(given));
        const __m256d inRange = _mm256_cmp_pd(Abs(t), _mm256_set1_pd(kSinCosRange), _CMP_LE_OQ);
        const __m256d rounded = _mm256_add_pd(_mm256_mul_pd(t, _mm256_set1_pd(kTwoOverPi)), magic);
        const __m256d k = _mm256_sub_pd(rounded, magic);
        const __m256d r =
            _mm256_sub_pd(_mm256_sub_pd(t, _mm256_mul_pd(k, _mm256_set1_pd(kHalfPiHigh))),
                          _mm256_mul_pd(k, _mm256_set1_pd(kHalfPiLow)));
        const __m256d r2 = _mm256_mul_pd(r, r);
        const __m256d sinR =
            _mm256_add_pd(r, _mm256_mul_pd(_mm256_mul_pd(r, r2), Horner(r2, kSin, Count(kSin))));
        const __m256d cosR =
            _mm256_add_pd(_mm256_set1_pd(1.0), _mm256_mul_pd(r2, Horner(r2, kCos, Count(kCos))));
        const __m256i kBits = _mm256_castpd_si256(rounded);
        const __m256d swap = _mm256_castsi256_pd(_mm256_shuffle_epi32(
            _mm256_srai_epi32(_mm256_slli_epi64(kBits, 63), 31), _MM_SHUFFLE(3, 3, 1, 1)));
        const __m256d cosSign = _mm256_castsi256_pd(
            _mm256_and_si256(_mm256_slli_epi64(_mm256_add_epi64(kBits, one), 62), signBit));
        const __m256d sinSign =
            _mm256_castsi256_pd(_mm256_and_si256(_mm256_slli_epi64(kBits, 62), signBit));
        const __m256d c = _mm256_xor_pd(_mm256_blendv_pd(cosR, sinR, swap), cosSign);
        const __m256d s = _mm256_xor_pd(_mm256_blendv_pd(sinR, cosR, swap), sinSign);
        int undecided =
            UndecidedLanes(c) | UndecidedLanes(s) | (~_mm256_movemask_pd(inRange) & 0xF);
        _mm_storeu_ps(cs + i, _mm256_cvtpd_ps(c));
        _mm_storeu_ps(sn + i, _mm256_cvtpd_ps(s));
        for (int lane = 0; undecided != 0; ++lane, undecided >>= 1) {
            if ((undecided & 1) != 0) {
                LibrarySinCos(given[lane], cs[i + lane], sn[i + lane]);
            }
        }
    }
    for (; i < count; ++i) {
        LibrarySinCos(theta[i], cs[i], sn[i]);
    }
}

SONVEX_AVX2 void Log10(const float* value, int count, float* out) {
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const float given[4] = {value[i], value[i + 1], value[i + 2], value[i + 3]};
        const __m128i bits = _mm_castps_si128(_mm_loadu_ps(given));
        const __m128i shifted = _mm_sub_epi32(bits, _mm_set1_epi32(0x00800000));
        const __m128i valid = _mm_and_si128(_mm_cmpgt_epi32(shifted, _mm_set1_epi32(-1)),
                                            _mm_cmplt_epi32(shifted, _mm_set1_epi32(0x7F000000)));
        const __m128i offset = _mm_add_epi32(bits, _mm_set1_epi32(kMantissaShift));
        const __m128i e = _mm_sub_epi32(_mm_srai_epi32(offset, 23), _mm_set1_epi32(127));
        const __m128i mantissa = _mm_add_epi32(_mm_and_si128(offset, _mm_set1_epi32(0x007FFFFF)),
                                               _mm_set1_epi32(kSqrtHalfBits));
        const __m256d x = _mm256_cvtps_pd(_mm_castsi128_ps(mantissa));
        const __m256d f = _mm256_sub_pd(x, _mm256_set1_pd(1.0));
        const __m256d s = _mm256_div_pd(f, _mm256_add_pd(_mm256_set1_pd(2.0), f));
        const __m256d z = _mm256_mul_pd(s, s);
        const __m256d logX =
            _mm256_mul_pd(s, _mm256_add_pd(_mm256_set1_pd(2.0),
                                           _mm256_mul_pd(z, Horner(z, kAtanh, Count(kAtanh)))));
        const __m256d approximation =
            _mm256_add_pd(_mm256_mul_pd(_mm256_cvtepi32_pd(e), _mm256_set1_pd(kLog10Of2)),
                          _mm256_mul_pd(logX, _mm256_set1_pd(kOneOverLn10)));
        const int validLanes = _mm_movemask_ps(_mm_castsi128_ps(valid));
        int undecided = UndecidedLanes(approximation) | (~validLanes & 0xF);
        _mm_storeu_ps(out + i, _mm256_cvtpd_ps(approximation));
        for (int lane = 0; undecided != 0; ++lane, undecided >>= 1) {
            if ((undecided & 1) != 0) {
                out[i + lane] = LibraryLog10(given[lane]);
            }
        }
    }
    for (; i < count; ++i) {
        out[i] = LibraryLog10(value[i]);
    }
}

// ---- The response's own arithmetic, eight points at a time -----------------------------------

struct Wide8 {
    __m256d lo;
    __m256d hi;
};

SONVEX_AVX2_INLINE Wide8 Widen(__m256 x) {
    return {_mm256_cvtps_pd(_mm256_castps256_ps128(x)),
            _mm256_cvtps_pd(_mm256_extractf128_ps(x, 1))};
}

SONVEX_AVX2_INLINE __m256 Narrow(__m256d lo, __m256d hi) {
    return _mm256_insertf128_ps(_mm256_castps128_ps256(_mm256_cvtpd_ps(lo)), _mm256_cvtpd_ps(hi),
                                1);
}

// x0 * y0 - x1 * y1 (Sign -1) or x0 * y0 + x1 * y1 (Sign +1), in double, rounded once.
template <int Sign>
SONVEX_AVX2_INLINE __m256 ProductSum(const Wide8& x0, const Wide8& y0, const Wide8& x1,
                                     const Wide8& y1) {
    if constexpr (Sign < 0) {
        return Narrow(_mm256_sub_pd(_mm256_mul_pd(x0.lo, y0.lo), _mm256_mul_pd(x1.lo, y1.lo)),
                      _mm256_sub_pd(_mm256_mul_pd(x0.hi, y0.hi), _mm256_mul_pd(x1.hi, y1.hi)));
    } else {
        return Narrow(_mm256_add_pd(_mm256_mul_pd(x0.lo, y0.lo), _mm256_mul_pd(x1.lo, y1.lo)),
                      _mm256_add_pd(_mm256_mul_pd(x0.hi, y0.hi), _mm256_mul_pd(x1.hi, y1.hi)));
    }
}

struct Complex8 {
    __m256 re;
    __m256 im;
};

SONVEX_AVX2_INLINE Complex8 Multiply(Complex8 x, Complex8 y) {
    const Wide8 xr = Widen(x.re);
    const Wide8 xi = Widen(x.im);
    const Wide8 yr = Widen(y.re);
    const Wide8 yi = Widen(y.im);
    return {ProductSum<-1>(xr, yr, xi, yi), ProductSum<+1>(xr, yi, xi, yr)};
}

SONVEX_AVX2_INLINE Complex8 Divide(Complex8 numerator, Complex8 denominator) {
    const Wide8 a = Widen(numerator.re);
    const Wide8 b = Widen(numerator.im);
    const Wide8 c = Widen(denominator.re);
    const Wide8 d = Widen(denominator.im);
    const __m256 den = ProductSum<+1>(c, c, d, d);
    const __m256 re = ProductSum<+1>(a, c, b, d);
    const __m256 im = ProductSum<-1>(b, c, a, d);
    const __m256 epsilon = _mm256_set1_ps(0x1p-120f);
    const __m256 magnitude = _mm256_andnot_ps(_mm256_set1_ps(-0.0f), den);
    const __m256 small = _mm256_cmp_ps(magnitude, epsilon, _CMP_LT_OQ);
    const __m256 divisor = _mm256_blendv_ps(den, _mm256_add_ps(den, epsilon), small);
    return {_mm256_div_ps(re, divisor), _mm256_div_ps(im, divisor)};
}

struct Section8 {
    __m256 b0, b1, b2, a1, a2;
};

struct Angle8 {
    __m256 cs, sn, cs2, sn2;
};

struct Value8 {
    Complex8 numerator;
    Complex8 denominator;
};

SONVEX_AVX2_INLINE Value8 Evaluate(const Section8& s, const Angle8& w) {
    const __m256 one = _mm256_set1_ps(1.0f);
    Value8 v{};
    v.numerator.re =
        _mm256_add_ps(_mm256_add_ps(s.b0, _mm256_mul_ps(s.b1, w.cs)), _mm256_mul_ps(s.b2, w.cs2));
    v.numerator.im = _mm256_add_ps(_mm256_mul_ps(s.b1, w.sn), _mm256_mul_ps(s.b2, w.sn2));
    v.denominator.re =
        _mm256_add_ps(_mm256_add_ps(one, _mm256_mul_ps(s.a1, w.cs)), _mm256_mul_ps(s.a2, w.cs2));
    v.denominator.im = _mm256_add_ps(_mm256_mul_ps(s.a1, w.sn), _mm256_mul_ps(s.a2, w.sn2));
    return v;
}

SONVEX_AVX2_INLINE Section8 Broadcast(const DirectForm& s) {
    return {_mm256_set1_ps(s.b0), _mm256_set1_ps(s.b1), _mm256_set1_ps(s.b2), _mm256_set1_ps(s.a1),
            _mm256_set1_ps(s.a2)};
}

SONVEX_AVX2_INLINE Angle8 LoadAngle(const float* cs, const float* sn, const float* cs2,
                                    const float* sn2, int i) {
    return {_mm256_loadu_ps(cs + i), _mm256_loadu_ps(sn + i), _mm256_loadu_ps(cs2 + i),
            _mm256_loadu_ps(sn2 + i)};
}

int VectorCount(int count) {
    return count - count % kLanes;
}

SONVEX_AVX2 void Angles(const float* frequency, float thetaScale, int count, float* theta) {
    const int vectorCount = VectorCount(count);
    const __m256 scale = _mm256_set1_ps(thetaScale);
    for (int i = 0; i < vectorCount; i += kLanes) {
        _mm256_storeu_ps(theta + i, _mm256_mul_ps(_mm256_loadu_ps(frequency + i), scale));
    }
    ScalarKernels().angles(frequency + vectorCount, thetaScale, count - vectorCount,
                           theta + vectorCount);
}

SONVEX_AVX2 void DoubleAngle(const float* cs, const float* sn, int count, float* cs2, float* sn2) {
    const int vectorCount = VectorCount(count);
    for (int i = 0; i < vectorCount; i += kLanes) {
        const __m256 c = _mm256_loadu_ps(cs + i);
        const __m256 s = _mm256_loadu_ps(sn + i);
        const Wide8 cw = Widen(c);
        const Wide8 sw = Widen(s);
        _mm256_storeu_ps(cs2 + i, ProductSum<-1>(cw, cw, sw, sw));
        _mm256_storeu_ps(sn2 + i, _mm256_mul_ps(_mm256_add_ps(c, c), s));
    }
    ScalarKernels().doubleAngle(cs + vectorCount, sn + vectorCount, count - vectorCount,
                                cs2 + vectorCount, sn2 + vectorCount);
}

SONVEX_AVX2 void CascadeResponse(const Cascade& cascade, const float* cs, const float* sn,
                                 const float* cs2, const float* sn2, int count, float* re,
                                 float* im) {
    // Band after band over all points, the running product of the peaking sections kept in re
    // and im, so that the points' independent chains overlap; each point still sees its own
    // operations in the order of the reference.
    const int vectorCount = VectorCount(count);
    const int last = cascade.peakCount + 1;
    for (int i = 0; i < vectorCount; i += kLanes) {
        _mm256_storeu_ps(re + i, _mm256_set1_ps(1.0f));
        _mm256_storeu_ps(im + i, _mm256_setzero_ps());
    }
    for (int band = 1; band < last; ++band) {
        const Section8 section = Broadcast(cascade.sections[band]);
        for (int i = 0; i < vectorCount; i += kLanes) {
            const Value8 v = Evaluate(section, LoadAngle(cs, sn, cs2, sn2, i));
            const Complex8 peaks{_mm256_loadu_ps(re + i), _mm256_loadu_ps(im + i)};
            const Complex8 next = Divide(Multiply(peaks, v.numerator), v.denominator);
            _mm256_storeu_ps(re + i, next.re);
            _mm256_storeu_ps(im + i, next.im);
        }
    }
    const Section8 low = Broadcast(cascade.sections[0]);
    const Section8 high = Broadcast(cascade.sections[last]);
    for (int i = 0; i < vectorCount; i += kLanes) {
        const Angle8 w = LoadAngle(cs, sn, cs2, sn2, i);
        const Value8 lowValue = Evaluate(low, w);
        const Complex8 l = Divide(lowValue.numerator, lowValue.denominator);
        const Value8 highValue = Evaluate(high, w);
        const Complex8 u = Divide(highValue.numerator, highValue.denominator);
        const Complex8 peaks{_mm256_loadu_ps(re + i), _mm256_loadu_ps(im + i)};
        const Complex8 r = Multiply(u, Multiply(l, peaks));
        _mm256_storeu_ps(re + i, r.re);
        _mm256_storeu_ps(im + i, r.im);
    }
    ScalarKernels().cascade(cascade, cs + vectorCount, sn + vectorCount, cs2 + vectorCount,
                            sn2 + vectorCount, count - vectorCount, re + vectorCount,
                            im + vectorCount);
}

SONVEX_AVX2 void Decibels(const float* re, const float* im, int count, float* curve) {
    // The magnitude goes into curve first, its logarithm over it.
    const int vectorCount = VectorCount(count);
    for (int i = 0; i < vectorCount; i += kLanes) {
        const Wide8 r = Widen(_mm256_loadu_ps(re + i));
        const Wide8 m = Widen(_mm256_loadu_ps(im + i));
        _mm256_storeu_ps(curve + i, _mm256_sqrt_ps(ProductSum<+1>(r, r, m, m)));
    }
    ScalarKernels().decibels(re + vectorCount, im + vectorCount, count - vectorCount,
                             curve + vectorCount);
    Log10(curve, vectorCount, curve);
    const __m256 twenty = _mm256_set1_ps(20.0f);
    for (int i = 0; i < vectorCount; i += kLanes) {
        _mm256_storeu_ps(curve + i, _mm256_mul_ps(_mm256_loadu_ps(curve + i), twenty));
    }
}

constexpr PointKernels kAvx2{Grid, Angles, SinCos, DoubleAngle, CascadeResponse, Decibels};

} // namespace

const PointKernels* Avx2Kernels() {
    return __builtin_cpu_supports("avx2") ? &kAvx2 : nullptr;
}

#else

const PointKernels* Avx2Kernels() {
    return nullptr;
}

#endif

} // namespace sonvex_tool
