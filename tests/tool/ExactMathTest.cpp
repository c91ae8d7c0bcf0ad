// The stages of the vector kernels that replace the C library's functions (the grid's pow, the
// per-point cos and sin, log10) give the C library's floats, also for the values where their
// approximations must defer to it.

#include "tool/FrequencyGrid.h"
#include "tool/PointKernels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

using sonvex_tool::PointKernels;

float FromBits(uint32_t bits) {
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

uint32_t Bits(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Whether the double lies within about 2^-35 (relative) of a midpoint between two floats: the
// values where the fast forms must defer to the C library.
bool NearMidpoint(double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const int64_t low = static_cast<int64_t>(bits & 0x1FFFFFFF);
    return std::llabs(low - (1 << 28)) < (1 << 18);
}

// Floats from first to last (same sign), about count of them, evenly spaced in bit pattern.
std::vector<float> Sweep(float first, float last, uint32_t count) {
    std::vector<float> values;
    const uint32_t lo = std::min(Bits(first), Bits(last));
    const uint32_t hi = std::max(Bits(first), Bits(last));
    const uint32_t stride = std::max<uint32_t>(1, (hi - lo) / count);
    for (uint64_t bits = lo; bits <= hi; bits += stride) {
        values.push_back(FromBits(static_cast<uint32_t>(bits)));
    }
    return values;
}

// The vector kernel sets this build and processor have.
std::vector<const PointKernels*> VectorKernels() {
    std::vector<const PointKernels*> sets;
    for (const PointKernels* kernels : {sonvex_tool::Sse2Kernels(), sonvex_tool::Avx2Kernels()}) {
        if (kernels != nullptr) {
            sets.push_back(kernels);
        }
    }
    return sets;
}

TEST(ExactMath, SinCosAreTheLibraryValues) {
    std::vector<float> theta = Sweep(-3.1415927f, -1e-30f, 600000);
    const std::vector<float> positive = Sweep(1e-30f, 4.5f, 200000);
    theta.insert(theta.end(), positive.begin(), positive.end());
    const float inf = std::numeric_limits<float>::infinity();
    for (float special : {0.0f, -0.0f, 4.0f, -4.0f, std::nextafter(4.0f, 5.0f), 100.0f, -1e30f, inf,
                          -inf, std::numeric_limits<float>::quiet_NaN(), 1.5707964f, -1.5707964f,
                          3.1415927f, -3.1415927f, 4.712389f, 1e-45f}) {
        theta.push_back(special);
    }
    int nearMidpoints = 0;
    std::vector<float> cs(theta.size());
    std::vector<float> sn(theta.size());
    for (std::size_t i = 0; i < theta.size(); ++i) {
        const double c = std::cos(static_cast<double>(theta[i]));
        const double s = std::sin(static_cast<double>(theta[i]));
        nearMidpoints += NearMidpoint(c) + NearMidpoint(s);
        cs[i] = static_cast<float>(c);
        sn[i] = static_cast<float>(s);
    }
    // The sweep reaches the values where the fast forms have to defer.
    EXPECT_GT(nearMidpoints, 200);

    for (const PointKernels* kernels : VectorKernels()) {
        std::vector<float> fastCs(theta.size());
        std::vector<float> fastSn(theta.size());
        kernels->sinCos(theta.data(), static_cast<int>(theta.size()), fastCs.data(), fastSn.data());
        for (std::size_t i = 0; i < theta.size(); ++i) {
            ASSERT_EQ(Bits(fastCs[i]), Bits(cs[i])) << "cos " << theta[i];
            ASSERT_EQ(Bits(fastSn[i]), Bits(sn[i])) << "sin " << theta[i];
        }
    }
}

TEST(ExactMath, DecibelsAreTheLibraryValues) {
    // re + j im with |re + j im| over the whole float range, and right around 1 (a flat curve).
    std::vector<float> re = Sweep(1e-18f, 1e18f, 400000);
    std::vector<float> im(re.size(), 0.0f);
    for (int k = -3000; k <= 3000; ++k) {
        re.push_back(FromBits(static_cast<uint32_t>(static_cast<int64_t>(Bits(1.0f)) + k)));
        im.push_back(k % 3 == 0 ? 0.0f : 1e-4f * static_cast<float>(k));
    }
    const std::vector<float> sweep = Sweep(1e-5f, 1e5f, 100000);
    for (std::size_t i = 0; i < sweep.size(); ++i) {
        re.push_back(i % 2 == 0 ? sweep[i] : -0.5f);
        im.push_back(sweep[sweep.size() - 1 - i]);
    }
    const float inf = std::numeric_limits<float>::infinity();
    for (float special : {0.0f, -0.0f, 1e-45f, 1e-30f, 1e30f, inf, -inf,
                          std::numeric_limits<float>::quiet_NaN(), 1.0f, 10.0f}) {
        re.push_back(special);
        im.push_back(0.0f);
    }
    const int count = static_cast<int>(re.size());
    std::vector<float> expected(re.size());
    sonvex_tool::ScalarKernels().decibels(re.data(), im.data(), count, expected.data());
    int nearMidpoints = 0;
    for (std::size_t i = 0; i < re.size(); ++i) {
        const double m2 = static_cast<double>(re[i]) * re[i] + static_cast<double>(im[i]) * im[i];
        const float m = std::sqrt(static_cast<float>(m2));
        nearMidpoints += NearMidpoint(std::log10(static_cast<double>(m)));
    }
    EXPECT_GT(nearMidpoints, 100);
    // Spot checks of the reference itself: 20 log10 10 = 20, 20 log10 1 = 0.
    EXPECT_EQ(expected[re.size() - 1], 20.0f);
    EXPECT_EQ(expected[re.size() - 2], 0.0f);

    for (const PointKernels* kernels : VectorKernels()) {
        std::vector<float> curve(re.size());
        kernels->decibels(re.data(), im.data(), count, curve.data());
        for (std::size_t i = 0; i < re.size(); ++i) {
            ASSERT_EQ(Bits(curve[i]), Bits(expected[i])) << re[i] << " + j " << im[i];
        }
    }
}

TEST(ExactMath, GridIsTheLibraryGrid) {
    struct Case {
        int32_t rate;
        float start;
        int32_t points;
    };
    for (const PointKernels* kernels : VectorKernels()) {
        for (const Case& c :
             {Case{48000, 20.0f, 1000}, Case{44100, 0.5f, 777}, Case{8000, 20.0f, 3},
              Case{96000, 31.5f, 100000}, Case{48000, 30000.0f, 500}, Case{48000, 1.0f, 1},
              Case{192000, 1e-20f, 4096}}) {
            const float step = sonvex_grid::Step(c.rate, c.start, c.points);
            // In pieces of odd sizes and offsets, as the response asks for blocks.
            std::vector<float> grid(static_cast<std::size_t>(c.points));
            for (int32_t first = 0; first < c.points; first += 129) {
                const int count = std::min(129, c.points - first);
                kernels->grid(c.start, step, first, count, grid.data() + first);
            }
            for (int32_t i = 0; i < c.points; ++i) {
                ASSERT_EQ(Bits(grid[i]), Bits(sonvex_grid::Frequency(c.start, step, i)))
                    << c.rate << " " << c.start << " " << c.points << " point " << i;
            }
        }
    }
}

} // namespace
