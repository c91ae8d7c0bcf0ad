#include "tool/FrequencyGrid.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(FrequencyGrid, ClimbsFromTheStartTowardsHalfTheRate) {
    const float step = sonvex_grid::Step(48000, 20.0f, 1000);
    // log2(24000 / 20) / 1000 octaves.
    EXPECT_NEAR(step, 0.01022882f, 1e-8f);
    EXPECT_EQ(sonvex_grid::Frequency(20.0f, step, 0), 20.0f);
    float previous = 0.0f;
    for (int i = 0; i < 1000; ++i) {
        const float f = sonvex_grid::Frequency(20.0f, step, i);
        ASSERT_GT(f, previous) << i;
        if (i > 0) {
            ASSERT_NEAR(f / previous, 1.0071157f, 2e-6f) << i; // 2^step
        }
        previous = f;
    }
    // One step below 24000 Hz: 24000 / 2^step.
    EXPECT_NEAR(previous, 23830.4f, 0.5f);
    EXPECT_LT(previous, 24000.0f);
}

TEST(FrequencyGrid, StartsAtOneHertzBelowOne) {
    for (float start : {0.5f, 0.0f, -3.0f}) {
        const float step = sonvex_grid::Step(44100, start, 500);
        EXPECT_NEAR(step, 0.0288571f, 1e-6f); // log2(22050) / 500
        EXPECT_EQ(sonvex_grid::Frequency(start, step, 0), 1.0f);
        EXPECT_NEAR(sonvex_grid::Frequency(start, step, 499), 22050.0f / std::exp2(step), 0.05f);
    }
    // At exactly 1 Hz both readings agree.
    EXPECT_EQ(sonvex_grid::Frequency(1.0f, sonvex_grid::Step(44100, 1.0f, 500), 0), 1.0f);
}

TEST(FrequencyGrid, HalfRateIsSinglePrecision) {
    EXPECT_EQ(sonvex_grid::HalfRate(48000), 24000.0f);
    EXPECT_EQ(sonvex_grid::HalfRate(44101), 22050.5f);
    // 2^24 + 1 is not a float: the rate rounds to 2^24 first.
    EXPECT_EQ(sonvex_grid::HalfRate(16777217), 8388608.0f);
}

} // namespace
