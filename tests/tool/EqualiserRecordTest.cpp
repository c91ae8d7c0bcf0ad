#include "ToolTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

using tool_test::Library;
using tool_test::Record10;
using tool_test::Record8;
using tool_test::SameBits;

constexpr float kCanary = -12345.5f;

class EqualiserRecord : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(Library().Eq10(), nullptr);
        ASSERT_NE(Library().Eq8(), nullptr);
    }
    static void Eq10(float* record, float* curve, int32_t fs, float start, int32_t n) {
        Library().Eq10()(record, curve, fs, start, n);
    }
    static void Eq8(float* record, float* curve, int32_t fs, float start, int32_t n) {
        Library().Eq8()(record, curve, fs, start, n);
    }
    // The response at one frequency: a one-point curve starting there.
    static float Response10(Record10 record, float frequency, int32_t fs = 48000) {
        float value = kCanary;
        Eq10(record.data(), &value, fs, frequency, 1);
        return value;
    }
};

// The eight-band record with the low shelf, peaks 1 to 6 and the high shelf of a ten-band one.
Record8 EightOf(const Record10& ten) {
    Record8 eight{};
    for (int band = 0; band < 7; ++band) {
        eight[band] = ten[band];
        eight[8 + band] = ten[10 + band];
    }
    eight[7] = ten[9];
    eight[15] = ten[19];
    for (int peak = 0; peak < 6; ++peak) {
        eight[16 + peak] = ten[20 + peak];
    }
    return eight;
}

Record10 OneBand10(int band, float gain, float frequency, float q = 1.0f) {
    Record10 record = tool_test::FlatRecord10();
    record[band] = gain;
    record[10 + band] = frequency;
    if (band >= 1 && band <= 8) {
        record[19 + band] = q;
    }
    return record;
}

TEST_F(EqualiserRecord, PeakingLatticeLandsInTheSplitGroups) {
    // Band 3 peaking +12 dB at 1000 Hz, Q 2.5: (k1, k2) at 33 + 2 * 2, (c0, c1, c2) at 49 + 3 * 2.
    Record10 record = OneBand10(3, 12.0f, 1000.0f, 2.5f);
    Eq10(record.data(), nullptr, 48000, 20.0f, 0);
    EXPECT_NEAR(record[37], -0.991445, 5e-7);
    EXPECT_NEAR(record[38], 0.974092, 5e-7);
    EXPECT_NEAR(record[55], 0.002170, 5e-7);
    EXPECT_NEAR(record[56], -0.126289, 5e-7);
    EXPECT_NEAR(record[57], 0.935475, 5e-7);

    // The same band as band 3 of the eight-band record: (k1, k2) at 27 + 4, (c0, c1, c2) at 39 + 6.
    Record8 eight = EightOf(record);
    Eq8(eight.data(), nullptr, 48000, 20.0f, 0);
    EXPECT_TRUE(SameBits(&eight[31], &record[37], 2));
    EXPECT_TRUE(SameBits(&eight[45], &record[55], 3));
}

TEST_F(EqualiserRecord, ShelvesLandAtTheEndsOfTheOutputs) {
    // Each shelf's k2 is its a2 and its c2 its b2 (the +12 dB shelves of the worked examples).
    Record10 record = tool_test::FlatRecord10();
    record[0] = 12.0f;
    record[10] = 1000.0f;
    record[9] = 12.0f;
    record[19] = 10000.0f;
    Eq10(record.data(), nullptr, 48000, 20.0f, 0);
    EXPECT_NEAR(record[29], 0.877088, 5e-7); // low shelf k2 = a2
    EXPECT_NEAR(record[32], 0.821934, 5e-7); // low shelf c2 = b2
    EXPECT_NEAR(record[74], 0.173145, 5e-7); // high shelf k2
    EXPECT_NEAR(record[77], 0.565714, 5e-7); // high shelf c2

    Record8 eight = EightOf(record);
    Eq8(eight.data(), nullptr, 48000, 20.0f, 0);
    EXPECT_TRUE(SameBits(&eight[22], &record[28], 5));
    EXPECT_TRUE(SameBits(&eight[57], &record[73], 5));
}

TEST_F(EqualiserRecord, ResponsesOfTheWorkedExamples) {
    const Record10 low = OneBand10(0, 12.0f, 1000.0f);
    EXPECT_NEAR(Response10(low, 1.0f), 12.0f, 0.005f);
    EXPECT_NEAR(Response10(low, 1000.0f), 6.0f, 0.005f);
    EXPECT_NEAR(Response10(low, 23999.0f), 0.0f, 0.005f);
    const Record10 lowCut = OneBand10(0, -12.0f, 1000.0f);
    EXPECT_NEAR(Response10(lowCut, 1.0f), -12.0f, 0.005f);
    EXPECT_NEAR(Response10(lowCut, 1000.0f), -6.0f, 0.005f);
    EXPECT_NEAR(Response10(lowCut, 23999.0f), 0.0f, 0.005f);

    const Record10 high = OneBand10(9, 12.0f, 10000.0f);
    EXPECT_NEAR(Response10(high, 1.0f), 0.0f, 0.005f);
    EXPECT_NEAR(Response10(high, 10000.0f), 6.0f, 0.005f);
    EXPECT_NEAR(Response10(high, 23999.0f), 12.0f, 0.005f);

    for (float gain : {12.0f, -12.0f}) {
        const Record10 peak = OneBand10(1, gain, 1000.0f, 2.5f);
        EXPECT_NEAR(Response10(peak, 1000.0f), gain, 0.005f);
        // Half the gain in dB at points 1000 / 2.5 = 400 Hz apart.
        EXPECT_NEAR(Response10(peak, 819.7f), gain / 2, 0.005f);
        EXPECT_NEAR(Response10(peak, 1219.7f), gain / 2, 0.005f);
        EXPECT_NEAR(Response10(peak, 1.0f), 0.0f, 0.005f);
        EXPECT_NEAR(Response10(peak, 23999.0f), 0.0f, 0.005f);
    }
}

TEST_F(EqualiserRecord, FlatRecordsGiveFlatCurves) {
    for (int32_t fs : {8000, 44100, 48000, 96000}) {
        Record10 ten = tool_test::FlatRecord10();
        Record8 eight = tool_test::FlatRecord8();
        std::vector<float> curve10(1000, kCanary);
        std::vector<float> curve8(1000, kCanary);
        Eq10(ten.data(), curve10.data(), fs, 20.0f, 1000);
        Eq8(eight.data(), curve8.data(), fs, 20.0f, 1000);
        for (int i = 0; i < 1000; ++i) {
            // Single precision is weakest at the low end (20 to 50 Hz).
            ASSERT_NEAR(curve10[i], 0.0f, 0.05f) << fs << " point " << i;
            ASSERT_NEAR(curve8[i], 0.0f, 0.05f) << fs << " point " << i;
        }
    }
}

TEST_F(EqualiserRecord, InputsStayAndOutputsAreAllOverwritten) {
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        Record10 ten = tool_test::RandomRecord10(random, 48000);
        Record8 eight = tool_test::RandomRecord8(random, 44100);
        std::fill(ten.begin() + 28, ten.end(), std::numeric_limits<float>::quiet_NaN());
        std::fill(eight.begin() + 22, eight.end(), std::numeric_limits<float>::quiet_NaN());
        const Record10 tenBefore = ten;
        const Record8 eightBefore = eight;
        std::vector<float> curve(200);
        Eq10(ten.data(), curve.data(), 48000, 20.0f, 200);
        Eq8(eight.data(), curve.data(), 44100, 20.0f, 200);
        EXPECT_TRUE(SameBits(ten.data(), tenBefore.data(), 28));
        EXPECT_TRUE(SameBits(eight.data(), eightBefore.data(), 22));
        for (int i = 28; i < 78; ++i) {
            ASSERT_TRUE(std::isfinite(ten[i])) << "ten-band output " << i;
        }
        for (int i = 22; i < 62; ++i) {
            ASSERT_TRUE(std::isfinite(eight[i])) << "eight-band output " << i;
        }
    }
}

TEST_F(EqualiserRecord, WritesNothingPastTheRecordOrTheCurve) {
    std::mt19937 random(11);
    for (int32_t n : {0, -5, 1, 3, 4, 5, 127, 128, 129, 1000}) {
        // Canaries around the record and the curve.
        std::vector<float> ten(4 + 78 + 4, kCanary);
        std::vector<float> eight(4 + 62 + 4, kCanary);
        const Record10 r10 = tool_test::RandomRecord10(random, 48000);
        const Record8 r8 = tool_test::RandomRecord8(random, 48000);
        std::copy(r10.begin(), r10.end(), ten.begin() + 4);
        std::copy(r8.begin(), r8.end(), eight.begin() + 4);
        const int32_t written = std::max(n, 0);
        std::vector<float> curve(4 + written + 4, kCanary);
        Eq10(ten.data() + 4, curve.data() + 4, 48000, 20.0f, n);
        const std::vector<float> after10 = curve;
        Eq8(eight.data() + 4, curve.data() + 4, 48000, 20.0f, n);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(ten[i], kCanary);
            EXPECT_EQ(ten[4 + 78 + i], kCanary);
            EXPECT_EQ(eight[i], kCanary);
            EXPECT_EQ(eight[4 + 62 + i], kCanary);
            EXPECT_EQ(after10[i], kCanary) << n;
            EXPECT_EQ(after10[4 + written + i], kCanary) << n;
            EXPECT_EQ(curve[i], kCanary) << n;
            EXPECT_EQ(curve[4 + written + i], kCanary) << n;
        }
        for (int32_t i = 0; i < written; ++i) {
            ASSERT_NE(after10[4 + i], kCanary) << n;
        }
        // The coefficients are written whatever the point count.
        EXPECT_NE(ten[4 + 28], kCanary);
        EXPECT_NE(eight[4 + 22], kCanary);
    }
}

TEST_F(EqualiserRecord, ZeroOrNegativePointCountStillDesigns) {
    const Record10 record = OneBand10(4, 5.0f, 700.0f, 3.0f);
    Record10 withCurve = record;
    std::vector<float> curve(10);
    Eq10(withCurve.data(), curve.data(), 48000, 20.0f, 10);
    for (int32_t n : {0, -1, std::numeric_limits<int32_t>::min()}) {
        Record10 designOnly = record;
        float untouched = kCanary;
        Eq10(designOnly.data(), &untouched, 48000, 20.0f, n);
        EXPECT_EQ(untouched, kCanary);
        EXPECT_TRUE(SameBits(designOnly.data(), withCurve.data(), 78)) << n;
    }
}

TEST_F(EqualiserRecord, RepeatedCallsAreBitIdentical) {
    std::mt19937 random(3);
    for (int round = 0; round < 10; ++round) {
        Record10 first = tool_test::RandomRecord10(random, 96000);
        std::vector<float> curve1(1000);
        Eq10(first.data(), curve1.data(), 96000, 20.0f, 1000);
        Record10 second = first; // outputs already filled: they must come out the same
        std::vector<float> curve2(1000, kCanary);
        Eq10(second.data(), curve2.data(), 96000, 20.0f, 1000);
        EXPECT_TRUE(SameBits(first.data(), second.data(), 78));
        EXPECT_TRUE(SameBits(curve1.data(), curve2.data(), 1000));
    }
}

TEST_F(EqualiserRecord, SameBandsGiveTheSameSectionsInBothFunctions) {
    std::mt19937 random(5);
    for (int round = 0; round < 50; ++round) {
        Record10 ten = tool_test::RandomRecord10(random, 48000);
        Record8 eight = EightOf(ten);
        Eq10(ten.data(), nullptr, 48000, 20.0f, 0);
        Eq8(eight.data(), nullptr, 48000, 20.0f, 0);
        EXPECT_TRUE(SameBits(&eight[22], &ten[28], 5 + 12)); // low shelf, (k1, k2) of 1 to 6
        EXPECT_TRUE(SameBits(&eight[39], &ten[49], 18));     // (c0, c1, c2) of 1 to 6
        EXPECT_TRUE(SameBits(&eight[57], &ten[73], 5));      // high shelf
    }

    // With bands 7 and 8 flat, both functions draw the same curve up to rounding.
    Record10 ten = tool_test::RandomRecord10(random, 48000);
    ten[7] = 0.0f;
    ten[8] = 0.0f;
    Record8 eight = EightOf(ten);
    std::vector<float> curve10(1000);
    std::vector<float> curve8(1000);
    Eq10(ten.data(), curve10.data(), 48000, 20.0f, 1000);
    Eq8(eight.data(), curve8.data(), 48000, 20.0f, 1000);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_NEAR(curve10[i], curve8[i], 0.001f) << i;
    }
}

} // namespace
