#include "tool/ExactMath.h"
#include "tool/FrequencyGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

using sonvex_tool::ExactGridFrequencies;
using sonvex_tool::ExactLog10;
using sonvex_tool::ExactSinCos;

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
    const uint32_t a = Bits(first);
    const uint32_t b = Bits(last);
    const uint32_t lo = std::min(a, b);
    const uint32_t hi = std::max(a, b);
    const uint32_t stride = std::max<uint32_t>(1, (hi - lo) / count);
    for (uint32_t bits = lo; bits <= hi && bits >= lo; bits += stride) {
        values.push_back(FromBits(bits));
    }
    return values;
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
    std::vector<float> cs(theta.size());
    std::vector<float> sn(theta.size());
    ExactSinCos(theta.data(), static_cast<int>(theta.size()), cs.data(), sn.data());
    int nearMidpoints = 0;
    for (std::size_t i = 0; i < theta.size(); ++i) {
        const double c = std::cos(static_cast<double>(theta[i]));
        const double s = std::sin(static_cast<double>(theta[i]));
        nearMidpoints += NearMidpoint(c) + NearMidpoint(s);
        ASSERT_EQ(Bits(cs[i]), Bits(static_cast<float>(c))) << "cos " << theta[i];
        ASSERT_EQ(Bits(sn[i]), Bits(static_cast<float>(s))) << "sin " << theta[i];
    }
    // The sweep reaches the values where the fast form has to defer.
    EXPECT_GT(nearMidpoints, 200);
}

TEST(ExactMath, Log10IsTheLibraryValue) {
    std::vector<float> values = Sweep(1e-37f, 3e38f, 600000);
    // Around 1, where the logarithm is small and a flat curve lives.
    for (int k = -3000; k <= 3000; ++k) {
        values.push_back(FromBits(static_cast<uint32_t>(static_cast<int64_t>(Bits(1.0f)) + k)));
    }
    const float inf = std::numeric_limits<float>::infinity();
    for (float special : {0.0f, -0.0f, 1e-45f, 1e-40f, -1.0f, inf, -inf,
                          std::numeric_limits<float>::quiet_NaN(), 3.4028235e38f, 1.0f, 10.0f}) {
        values.push_back(special);
    }
    std::vector<float> out(values.size());
    ExactLog10(values.data(), static_cast<int>(values.size()), out.data());
    int nearMidpoints = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double expected = std::log10(static_cast<double>(values[i]));
        nearMidpoints += NearMidpoint(expected);
        ASSERT_EQ(Bits(out[i]), Bits(static_cast<float>(expected))) << values[i];
    }
    EXPECT_GT(nearMidpoints, 100);

    // In place, as the response uses it.
    std::vector<float> inPlace = values;
    ExactLog10(inPlace.data(), static_cast<int>(inPlace.size()), inPlace.data());
    EXPECT_EQ(std::memcmp(inPlace.data(), out.data(), out.size() * sizeof(float)), 0);
}

TEST(ExactMath, GridIsTheLibraryGrid) {
    struct Case {
        int32_t rate;
        float start;
        int32_t points;
    };
    for (const Case& c : {Case{48000, 20.0f, 1000}, Case{44100, 0.5f, 777}, Case{8000, 20.0f, 3},
                          Case{96000, 31.5f, 100000}, Case{48000, 30000.0f, 500},
                          Case{48000, 1.0f, 1}, Case{192000, 1e-20f, 4096}}) {
        const float step = sonvex_grid::Step(c.rate, c.start, c.points);
        // In pieces of odd sizes and offsets, as the response asks for blocks.
        std::vector<float> grid(static_cast<std::size_t>(c.points));
        for (int32_t first = 0; first < c.points; first += 129) {
            const int count = std::min(129, c.points - first);
            ExactGridFrequencies(c.start, step, first, count, grid.data() + first);
        }
        for (int32_t i = 0; i < c.points; ++i) {
            ASSERT_EQ(Bits(grid[i]), Bits(sonvex_grid::Frequency(c.start, step, i)))
                << c.rate << " " << c.start << " " << c.points << " point " << i;
        }
    }
}

} // namespace
