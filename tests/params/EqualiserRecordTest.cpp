#include "params/EqualiserRecord.h"

#include <gtest/gtest.h>

namespace {

ParameterSet DistinctSet() {
    ParameterSet set;
    for (int i = 0; i < 10; ++i) {
        set.EQGAINLEFT[i] = i - 5;
        set.EQCFLEFT[i] = 100 * (i + 1);
        set.EQGAINRIGHT[i] = 12 - i;
        set.EQCFRIGHT[i] = 16777217 + i; // beyond float's exact integers
    }
    for (int i = 0; i < 8; ++i) {
        set.EQQLEFT[i] = 0.7f + i;
        set.EQQRIGHT[i] = 9.5f;
        set.EQGAINLEFT1[i] = -i;
        set.EQCFLEFT1[i] = 50 + i;
        set.EQGAINRIGHT1[i] = i;
        set.EQCFRIGHT1[i] = 7000 + i;
    }
    for (int i = 0; i < 6; ++i) {
        set.EQQLEFT1[i] = 1.25f;
        set.EQQRIGHT1[i] = 3.0f + i;
    }
    return set;
}

TEST(EqualiserRecord, TenBandTakesTheChannelsBandsAsFloats) {
    const ParameterSet set = DistinctSet();
    const EQ10Record left = EqualiserRecord::TenBand(set, 0);
    EXPECT_EQ(left.gain[0], -5.0f);
    EXPECT_EQ(left.gain[9], 4.0f);
    EXPECT_EQ(left.frequency[3], 400.0f);
    EXPECT_EQ(left.q[7], 7.7f);
    EXPECT_EQ(left.lowShelf.k1, 0.0f);
    EXPECT_EQ(left.peakC[23], 0.0f);

    for (const int channel : {1, 5, -1}) { // any channel but 0 is R
        const EQ10Record right = EqualiserRecord::TenBand(set, channel);
        EXPECT_EQ(right.gain[0], 12.0f) << channel;
        EXPECT_EQ(right.frequency[0], 16777216.0f) << channel; // rounded to the nearest float
        EXPECT_EQ(right.q[0], 9.5f) << channel;
    }
}

TEST(EqualiserRecord, EightBandTakesTheEightBandFields) {
    const ParameterSet set = DistinctSet();
    const EQ8Record left = EqualiserRecord::EightBand(set, 0);
    EXPECT_EQ(left.gain[7], -7.0f);
    EXPECT_EQ(left.frequency[7], 57.0f);
    EXPECT_EQ(left.q[5], 1.25f);
    const EQ8Record right = EqualiserRecord::EightBand(set, 1);
    EXPECT_EQ(right.gain[3], 3.0f);
    EXPECT_EQ(right.frequency[0], 7000.0f);
    EXPECT_EQ(right.q[5], 8.0f);
    EXPECT_EQ(right.highShelf.c2, 0.0f);
}

} // namespace
