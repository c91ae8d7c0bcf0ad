#include "tool/SectionDesign.h"
#include "tool/DesignMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

using namespace sonvex_tool;

constexpr double kSixDecimals = 5e-7;

void ExpectSection(const DirectForm& s, double b0, double b1, double b2, double a1, double a2) {
    EXPECT_NEAR(s.b0, b0, kSixDecimals);
    EXPECT_NEAR(s.b1, b1, kSixDecimals);
    EXPECT_NEAR(s.b2, b2, kSixDecimals);
    EXPECT_NEAR(s.a1, a1, kSixDecimals);
    EXPECT_NEAR(s.a2, a2, kSixDecimals);
}

uint32_t Bits(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

TEST(SectionDesign, BandQuantities) {
    EXPECT_EQ(Bits(SqrtHalf()), 0x3F3504F3u); // 0.70710677
    EXPECT_EQ(LinearGain(0.0f), 1.0f);
    EXPECT_NEAR(LinearGain(12.0f), 3.981072, 1e-6);
    EXPECT_NEAR(LinearGain(-6.0f), 0.501187, 1e-6);
    EXPECT_NEAR(Angle(1000.0f, 48000), 0.130900, 1e-6);
    // The high shelf's angle is the mirror image pi - 2 pi f / fs.
    EXPECT_NEAR(MirroredAngle(10000.0f, 48000), 1.832596, 1e-6);
}

TEST(SectionDesign, ShelvesAndPeakOfTheWorkedExamples) {
    const int fs = 48000;
    ExpectSection(DesignShelf(LinearGain(12.0f), Angle(1000.0f, fs), false), 1.067176, -1.857000,
                  0.821934, -1.869022, 0.877088);
    ExpectSection(DesignShelf(LinearGain(12.0f), MirroredAngle(10000.0f, fs), true), 2.215506,
                  -1.513787, 0.565714, 0.094288, 0.173145);
    const float w = Angle(1000.0f, fs);
    const DirectForm peak = DesignPeaking(LinearGain(12.0f), w, w / 2.5f);
    ExpectSection(peak, 1.038617, -1.957203, 0.935475, -1.957203, 0.974092);

    const LatticeSection lattice = StepDown(peak);
    EXPECT_NEAR(lattice.k1, -0.991445, kSixDecimals);
    EXPECT_NEAR(lattice.k2, 0.974092, kSixDecimals);
    EXPECT_NEAR(lattice.c0, 0.002170, kSixDecimals);
    EXPECT_NEAR(lattice.c1, -0.126289, kSixDecimals);
    EXPECT_NEAR(lattice.c2, 0.935475, kSixDecimals);
}

TEST(SectionDesign, ZeroDecibelPeakFollowsTheRoundingRule) {
    const float w = Angle(3000.0f, 44100);
    const DirectForm s = DesignPeaking(1.0f, w, w / 1.7f);
    // b1 and b2 are the denominator's values exactly; b0 = (1 + beta) / float(1 + beta) is
    // within one unit in the last place of 1.
    EXPECT_EQ(Bits(s.b1), Bits(s.a1));
    EXPECT_EQ(Bits(s.b2), Bits(s.a2));
    EXPECT_LE(std::fabs(s.b0 - 1.0f), std::nextafter(1.0f, 2.0f) - 1.0f);
    const LatticeSection lattice = StepDown(s);
    EXPECT_EQ(Bits(lattice.c2), Bits(lattice.k2));
}

TEST(SectionDesign, ZeroDecibelShelvesAreFlatUpToRounding) {
    for (bool high : {false, true}) {
        const DirectForm s = DesignShelf(1.0f, Angle(250.0f, 48000), high);
        EXPECT_NEAR(s.b0, 1.0f, 4e-7f) << high;
        EXPECT_NEAR(s.b1, s.a1, 4e-7f) << high;
        EXPECT_NEAR(s.b2, s.a2, 4e-7f) << high;
    }
}

TEST(SectionDesign, GainsNextToUnityAreDesignedAsFlatBands) {
    // 1 + 2^-23 and 1 - 2^-24 are the two linear gains whose bandwidth gain, rounded to float,
    // makes the design ratio 0/x or x/0; they must still give finite, stable, flat sections.
    const float w = Angle(1000.0f, 48000);
    for (float gain : {1.0f + 0x1p-23f, 1.0f - 0x1p-24f}) {
        const DirectForm flatShelf = DesignShelf(1.0f, w, false);
        const DirectForm shelf = DesignShelf(gain, w, false);
        const DirectForm peak = DesignPeaking(gain, w, w / 2.0f);
        for (const DirectForm& s : {shelf, peak}) {
            for (float c : {s.b0, s.b1, s.b2, s.a1, s.a2}) {
                EXPECT_TRUE(std::isfinite(c)) << gain;
            }
            EXPECT_LT(std::fabs(StepDown(s).k2), 0.99f) << gain;
            EXPECT_NEAR(s.b1, s.a1, 1e-6f) << gain;
        }
        EXPECT_NEAR(shelf.a1, flatShelf.a1, 1e-6f);
    }
}

TEST(SectionDesign, StepDownByHand) {
    // a = (1, 0.5, 0.25), b = (1, 0.5, 0.25): k2 = 0.25, k1 = 0.375 / 0.9375 = 0.4,
    // c2 = 0.25, c1 = 0.5 - 0.125 = 0.375, c0 = (1 - 0.0625) - 0.375 * 0.4 = 0.7875.
    const LatticeSection l = StepDown(DirectForm{1.0f, 0.5f, 0.25f, 0.5f, 0.25f});
    EXPECT_FLOAT_EQ(l.k1, 0.4f);
    EXPECT_EQ(l.k2, 0.25f);
    EXPECT_FLOAT_EQ(l.c0, 0.7875f);
    EXPECT_EQ(l.c1, 0.375f);
    EXPECT_EQ(l.c2, 0.25f);

    // a2 = 1: 1 - k2^2 vanishes and is replaced by epsilon; (a1 - a2 a1) is exactly 0, so k1 = 0.
    // b = (2, 1, 0.5): c2 = 0.5, c1 = 1 - 0.5 * 0.5 = 0.75, c0 = 2 - 0.5 * 1 - 0 = 1.5.
    const LatticeSection guarded = StepDown(DirectForm{2.0f, 1.0f, 0.5f, 0.5f, 1.0f});
    EXPECT_EQ(guarded.k1, 0.0f);
    EXPECT_EQ(guarded.k2, 1.0f);
    EXPECT_EQ(guarded.c0, 1.5f);
    EXPECT_EQ(guarded.c1, 0.75f);
    EXPECT_EQ(guarded.c2, 0.5f);
}

} // namespace
