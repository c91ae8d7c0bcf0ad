#include "params/ResetEqBands.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// A set whose every equaliser field holds a marker value, so untouched fields can be seen.
ParameterSet MarkedSet(int32_t rate, int32_t channels) {
    ParameterSet set;
    set.SWFS = rate;
    set.CHANUM = channels;
    set.EQGAINLEFT.fill(7);
    set.EQCFLEFT.fill(777);
    set.EQQLEFT.fill(7.5f);
    set.EQGAINRIGHT.fill(-7);
    set.EQCFRIGHT.fill(-777);
    set.EQQRIGHT.fill(-7.5f);
    set.EQGAINLEFT1.fill(6);
    set.EQCFLEFT1.fill(666);
    set.EQQLEFT1.fill(6.5f);
    set.EQGAINRIGHT1.fill(-6);
    set.EQCFRIGHT1.fill(-666);
    set.EQQRIGHT1.fill(-6.5f);
    set.SCTRGAINL1 = 3;
    set.SCTRGAINR2 = -4;
    set.DIVFREQ_L = 1234;
    set.LLMT_THRESHOLD = -1.5f;
    set.EQSwtch = true;
    set.DRCLink = true;
    return set;
}

struct Layout {
    int32_t rate;
    std::array<int32_t, 10> ten;  // L, band 9 = half - 500
    std::array<int32_t, 8> eight; // band 7 = half - 1000
};

class ResetLayouts : public ::testing::TestWithParam<Layout> {};

TEST_P(ResetLayouts, FrequenciesGainsAndQOfBothChannels) {
    const Layout& expected = GetParam();
    ParameterSet set = MarkedSet(expected.rate, 2);
    ASSERT_TRUE(ResetEqBands(set));
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(set.EQCFLEFT[i], expected.ten[i]) << "ten-band L band " << i;
    }
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(set.EQCFRIGHT[i], expected.ten[i]) << "ten-band R band " << i;
        EXPECT_EQ(set.EQGAINLEFT[i], 0);
    }
    EXPECT_EQ(set.EQCFRIGHT[9], expected.rate / 2 - 1000);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(set.EQCFLEFT1[i], expected.eight[i]) << "eight-band L band " << i;
        EXPECT_EQ(set.EQCFRIGHT1[i], expected.eight[i]) << "eight-band R band " << i;
        EXPECT_FLOAT_EQ(set.EQQLEFT[i], 2.5f);
    }
    for (int j = 0; j < 7; ++j) {
        EXPECT_EQ(set.EQGAINLEFT1[j], 0);
        EXPECT_EQ(set.EQGAINRIGHT1[j], 0);
    }
    for (int j = 0; j < 6; ++j) {
        EXPECT_EQ(set.EQQLEFT1[j], 2.5f);
        EXPECT_EQ(set.EQQRIGHT1[j], 2.5f);
    }
}

INSTANTIATE_TEST_SUITE_P(
    SampleRates, ResetLayouts,
    ::testing::Values(Layout{48000,
                             {50, 90, 170, 350, 700, 1410, 2870, 5820, 11820, 23500},
                             {50, 120, 290, 700, 1690, 4080, 9900, 23000}},
                      Layout{44100,
                             {50, 90, 170, 330, 670, 1340, 2700, 5440, 10950, 21550},
                             {50, 120, 280, 670, 1600, 3830, 9190, 21050}},
                      Layout{8000,
                             {40, 60, 100, 170, 290, 490, 820, 1390, 2360, 3500},
                             {40, 80, 150, 290, 550, 1070, 2070, 3000}},
                      Layout{16000,
                             {40, 70, 130, 220, 410, 730, 1330, 2420, 4400, 7500},
                             {50, 90, 190, 400, 850, 1790, 3790, 7000}},
                      Layout{32000,
                             {40, 80, 150, 290, 570, 1110, 2160, 4210, 8200, 15500},
                             {50, 110, 250, 570, 1310, 3010, 6940, 15000}}));

TEST(ResetEqBands, KeepsHighShelfGainsTenBandRightGainsAndQAndEverythingElse) {
    ParameterSet set = MarkedSet(48000, 2);
    ASSERT_TRUE(ResetEqBands(set));
    EXPECT_EQ(set.EQGAINLEFT[9], 7);  // ten-band high shelf gain
    EXPECT_EQ(set.EQGAINLEFT1[7], 6); // eight-band high shelf gain
    EXPECT_EQ(set.EQGAINRIGHT1[7], -6);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(set.EQGAINRIGHT[i], -7) << i;
    }
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(set.EQQRIGHT[i], -7.5f) << i;
    }
    EXPECT_EQ(set.SCTRGAINL1, 3);
    EXPECT_EQ(set.SCTRGAINR2, -4);
    EXPECT_EQ(set.DIVFREQ_L, 1234);
    EXPECT_EQ(set.LLMT_THRESHOLD, -1.5f);
    EXPECT_TRUE(set.EQSwtch);
    EXPECT_TRUE(set.DRCLink);
    EXPECT_EQ(set.SWFS, 48000);
    EXPECT_EQ(set.CHANUM, 2);
}

TEST(ResetEqBands, OneChannelLeavesEveryRightFieldAlone) {
    ParameterSet set = MarkedSet(48000, 1);
    ASSERT_TRUE(ResetEqBands(set));
    EXPECT_EQ(set.EQCFLEFT[0], 50);
    EXPECT_EQ(set.EQCFLEFT1[7], 23000);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(set.EQCFRIGHT[i], -777) << i;
        EXPECT_EQ(set.EQGAINRIGHT[i], -7) << i;
    }
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(set.EQCFRIGHT1[i], -666) << i;
        EXPECT_EQ(set.EQGAINRIGHT1[i], -6) << i;
        EXPECT_EQ(set.EQQRIGHT[i], -7.5f) << i;
    }
    for (int j = 0; j < 6; ++j) {
        EXPECT_EQ(set.EQQRIGHT1[j], -6.5f) << j;
    }
}

TEST(ResetEqBands, RefusesRatesWithoutAnOctaveAboveTwentyHertz) {
    for (const int32_t rate : {40, 0, -1, -48000, -2147483647 - 1}) {
        ParameterSet set = MarkedSet(rate, 2);
        const ParameterSet before = set;
        EXPECT_FALSE(ResetEqBands(set)) << rate;
        EXPECT_TRUE(set == before) << rate;
    }
}

TEST(ResetEqBands, ExtremeRatesStayDefined) {
    // Runs under UndefinedBehaviorSanitizer: no float-to-integer overflow at either end.
    ParameterSet low = MarkedSet(41, 2);
    EXPECT_TRUE(ResetEqBands(low));
    EXPECT_EQ(low.EQCFLEFT[9], -479); // 20.5 - 500, truncated toward zero
    ParameterSet high = MarkedSet(2147483647, 2);
    EXPECT_TRUE(ResetEqBands(high));
    EXPECT_GT(high.EQCFLEFT[8], high.EQCFLEFT[0]);
}

} // namespace
