#include "tool/ExactMath.h"

#include "tool/FrequencyGrid.h"

#include <cmath>

namespace sonvex_tool {

float LibraryGridFrequency(float startFrequency, float step, int32_t index) {
    return sonvex_grid::Frequency(startFrequency, step, index);
}

void LibrarySinCos(float theta, float& cs, float& sn) {
    cs = static_cast<float>(std::cos(static_cast<double>(theta)));
    sn = static_cast<float>(std::sin(static_cast<double>(theta)));
}

float LibraryLog10(float value) {
    return static_cast<float>(std::log10(static_cast<double>(value)));
}

#if SONVEX_TOOL_SSE2

namespace {

using namespace exact_math;

__m128d Abs(__m128d x) {
    return _mm_andnot_pd(_mm_set1_pd(-0.0), x);
}

// Lane bits (bit 0 and bit 1 of a movemask) of the approximations that do not decide the float
// rounding.
int UndecidedLanes(__m128d approximation) {
    const __m128d magnitude = Abs(approximation);
    const __m128d normal = _mm_and_pd(_mm_cmpge_pd(magnitude, _mm_set1_pd(kSmallestNormal)),
                                      _mm_cmplt_pd(magnitude, _mm_set1_pd(kLargest)));
    const __m128i low =
        _mm_and_si128(_mm_castpd_si128(approximation), _mm_set1_epi64x(kDroppedBits));
    // Only the low dword of each lane matters.
    const __m128i offset = _mm_sub_epi32(low, _mm_set1_epi32(kUndecidedFrom));
    const __m128i near =
        _mm_and_si128(_mm_cmpgt_epi32(offset, _mm_set1_epi32(-1)),
                      _mm_cmplt_epi32(offset, _mm_set1_epi32(kUndecidedWidth + 1)));
    const __m128d nearLanes = _mm_castsi128_pd(_mm_shuffle_epi32(near, _MM_SHUFFLE(2, 2, 0, 0)));
    return _mm_movemask_pd(_mm_or_pd(nearLanes, _mm_cmpeq_pd(normal, _mm_setzero_pd())));
}

// coefficients[0] is the highest order.
__m128d Horner(__m128d x, const double* coefficients, int count) {
    __m128d sum = _mm_set1_pd(coefficients[0]);
    for (int i = 1; i < count; ++i) {
        sum = _mm_add_pd(_mm_mul_pd(sum, x), _mm_set1_pd(coefficients[i]));
    }
    return sum;
}

// Two floats to and from memory (the 64-bit integer moves may alias any type).
void StoreTwo(float* out, __m128 values) {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_castps_si128(values));
}

__m128 LoadTwo(const float* in) {
    return _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(in)));
}

// 2^x for |x| < 1024: 2^n * exp((x - n) ln 2), n the nearest integer.
__m128d Exp2(__m128d x) {
    const __m128d magic = _mm_set1_pd(kRoundMagic);
    const __m128d rounded = _mm_add_pd(x, magic);
    const __m128d n = _mm_sub_pd(rounded, magic);
    const __m128d u = _mm_mul_pd(_mm_sub_pd(x, n), _mm_set1_pd(kLn2));
    const __m128d fraction = Horner(u, kExp, Count(kExp));
    // n stands in the low bits of rounded; n + 1023 goes into the exponent field.
    const __m128i exponent = _mm_slli_epi64(
        _mm_add_epi64(_mm_castpd_si128(rounded), _mm_set1_epi64x(1023 - (int64_t{1} << 51))), 52);
    return _mm_mul_pd(fraction, _mm_castsi128_pd(exponent));
}

} // namespace

void ExactGridFrequencies(float startFrequency, float step, int32_t first, int count,
                          float* frequency) {
    const __m128d scale = _mm_set1_pd(startFrequency < 1.0f ? 1.0 : startFrequency);
    const double firstOctave = static_cast<double>(step) * static_cast<double>(first);
    const double lastOctave = static_cast<double>(step) * static_cast<double>(first + count);
    const bool inRange = std::fabs(firstOctave) < kGridRange && std::fabs(lastOctave) < kGridRange;
    // Two points at a time: 2^(step i) of the first pair by the polynomial, each following pair
    // from the one before times 2^(2 step), restarting every kGridChain pairs.
    const __m128d ratio = Exp2(_mm_set1_pd(2.0 * static_cast<double>(step)));
    __m128d power = _mm_setzero_pd();
    int i = 0;
    for (; inRange && i + 2 <= count; i += 2) {
        if ((i / 2) % kGridChain == 0) {
            const __m128d index =
                _mm_set_pd(static_cast<double>(first + i + 1), static_cast<double>(first + i));
            power = Exp2(_mm_mul_pd(_mm_set1_pd(step), index));
        } else {
            power = _mm_mul_pd(power, ratio);
        }
        const __m128d approximation = _mm_mul_pd(power, scale);
        int undecided = UndecidedLanes(approximation);
        StoreTwo(frequency + i, _mm_cvtpd_ps(approximation));
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

void ExactSinCos(const float* theta, int count, float* cs, float* sn) {
    const __m128d magic = _mm_set1_pd(kRoundMagic);
    const __m128i signBit = _mm_set1_epi64x(INT64_MIN);
    const __m128i one = _mm_set1_epi64x(1);
    int i = 0;
    for (; i + 2 <= count; i += 2) {
        const float given[2] = {theta[i], theta[i + 1]};
        const __m128d t = _mm_cvtps_pd(LoadTwo(given));
        const __m128d inRange = _mm_cmple_pd(Abs(t), _mm_set1_pd(kSinCosRange));
        // t = r + k pi / 2 with |r| <= pi / 4.
        const __m128d rounded = _mm_add_pd(_mm_mul_pd(t, _mm_set1_pd(kTwoOverPi)), magic);
        const __m128d k = _mm_sub_pd(rounded, magic);
        const __m128d r = _mm_sub_pd(_mm_sub_pd(t, _mm_mul_pd(k, _mm_set1_pd(kHalfPiHigh))),
                                     _mm_mul_pd(k, _mm_set1_pd(kHalfPiLow)));
        const __m128d r2 = _mm_mul_pd(r, r);
        const __m128d sinR =
            _mm_add_pd(r, _mm_mul_pd(_mm_mul_pd(r, r2), Horner(r2, kSin, Count(kSin))));
        const __m128d cosR =
            _mm_add_pd(_mm_set1_pd(1.0), _mm_mul_pd(r2, Horner(r2, kCos, Count(kCos))));
        // Quadrant k mod 4: odd k swaps sine and cosine; the cosine is negative for k = 1, 2
        // (bit 1 of k + 1), the sine for k = 2, 3 (bit 1 of k).
        const __m128i kBits = _mm_castpd_si128(rounded);
        const __m128d swap = _mm_castsi128_pd(_mm_shuffle_epi32(
            _mm_srai_epi32(_mm_slli_epi64(kBits, 63), 31), _MM_SHUFFLE(3, 3, 1, 1)));
        const __m128d cosSign =
            _mm_castsi128_pd(_mm_and_si128(_mm_slli_epi64(_mm_add_epi64(kBits, one), 62), signBit));
        const __m128d sinSign = _mm_castsi128_pd(_mm_and_si128(_mm_slli_epi64(kBits, 62), signBit));
        const __m128d c =
            _mm_xor_pd(_mm_or_pd(_mm_and_pd(swap, sinR), _mm_andnot_pd(swap, cosR)), cosSign);
        const __m128d s =
            _mm_xor_pd(_mm_or_pd(_mm_and_pd(swap, cosR), _mm_andnot_pd(swap, sinR)), sinSign);
        int undecided = UndecidedLanes(c) | UndecidedLanes(s) | (~_mm_movemask_pd(inRange) & 3);
        StoreTwo(cs + i, _mm_cvtpd_ps(c));
        StoreTwo(sn + i, _mm_cvtpd_ps(s));
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

void ExactLog10(const float* value, int count, float* out) {
    int i = 0;
    for (; i + 2 <= count; i += 2) {
        const float given[2] = {value[i], value[i + 1]};
        const __m128i bits = _mm_castps_si128(LoadTwo(given));
        // Positive normal finite floats only: bits - 2^23 in [0, 0x7F000000).
        const __m128i shifted = _mm_sub_epi32(bits, _mm_set1_epi32(0x00800000));
        const __m128i valid = _mm_and_si128(_mm_cmpgt_epi32(shifted, _mm_set1_epi32(-1)),
                                            _mm_cmplt_epi32(shifted, _mm_set1_epi32(0x7F000000)));
        // value = 2^e * x with sqrt(1/2) <= x < sqrt(2).
        const __m128i offset = _mm_add_epi32(bits, _mm_set1_epi32(kMantissaShift));
        const __m128i e = _mm_sub_epi32(_mm_srai_epi32(offset, 23), _mm_set1_epi32(127));
        const __m128i mantissa = _mm_add_epi32(_mm_and_si128(offset, _mm_set1_epi32(0x007FFFFF)),
                                               _mm_set1_epi32(kSqrtHalfBits));
        const __m128d x = _mm_cvtps_pd(_mm_castsi128_ps(mantissa));
        const __m128d f = _mm_sub_pd(x, _mm_set1_pd(1.0));
        const __m128d s = _mm_div_pd(f, _mm_add_pd(_mm_set1_pd(2.0), f));
        const __m128d z = _mm_mul_pd(s, s);
        const __m128d logX = _mm_mul_pd(
            s, _mm_add_pd(_mm_set1_pd(2.0), _mm_mul_pd(z, Horner(z, kAtanh, Count(kAtanh)))));
        const __m128d approximation =
            _mm_add_pd(_mm_mul_pd(_mm_cvtepi32_pd(e), _mm_set1_pd(kLog10Of2)),
                       _mm_mul_pd(logX, _mm_set1_pd(kOneOverLn10)));
        const int validLanes = _mm_movemask_ps(_mm_castsi128_ps(valid)) & 3;
        int undecided = UndecidedLanes(approximation) | (~validLanes & 3);
        StoreTwo(out + i, _mm_cvtpd_ps(approximation));
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

#else

void ExactGridFrequencies(float startFrequency, float step, int32_t first, int count,
                          float* frequency) {
    for (int i = 0; i < count; ++i) {
        frequency[i] = LibraryGridFrequency(startFrequency, step, first + i);
    }
}

void ExactSinCos(const float* theta, int count, float* cs, float* sn) {
    for (int i = 0; i < count; ++i) {
        LibrarySinCos(theta[i], cs[i], sn[i]);
    }
}

void ExactLog10(const float* value, int count, float* out) {
    for (int i = 0; i < count; ++i) {
        out[i] = LibraryLog10(value[i]);
    }
}

#endif

} // namespace sonvex_tool
