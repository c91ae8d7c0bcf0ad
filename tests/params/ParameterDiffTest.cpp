// The field-level comparison of parameter files: each difference named by its key, channel,
// block and band, with positions stated by hand.
#include "params/ParameterDiff.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Expected {
    std::string field; // FieldName in English
    int channel;
    const char* block;
    int band;
    std::size_t index;
    std::size_t count;
};

void ExpectDifferences(const std::vector<FieldDifference>& found,
                       const std::vector<Expected>& expected) {
    ASSERT_EQ(found.size(), expected.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        SCOPED_TRACE(expected[i].field);
        const std::u16string name = ParameterDiff::FieldName(found[i]);
        EXPECT_EQ(std::string(name.begin(), name.end()), expected[i].field);
        EXPECT_EQ(found[i].channel, expected[i].channel);
        EXPECT_STREQ(ParameterDiff::BlockName(found[i].block), expected[i].block);
        EXPECT_EQ(found[i].band, expected[i].band);
        EXPECT_EQ(found[i].index, expected[i].index);
        EXPECT_EQ(found[i].count, expected[i].count);
    }
}

} // namespace

TEST(ParameterDiff, NamesEachFieldAndGroupsCoefficientsAndZeroAreas) {
    ParameterArray sent{};
    ParameterArray read = sent;
    read[1] = 44100.0f;          // SWFS
    read[30] = 7.0f;             // ten-band gain of band 3, L
    read[60] = 0.5f;             // k1 of ten-band band 1, L: a coefficient of band 1 ...
    read[77] = 0.25f;            // ... c1 of band 1, far from its k values: the same entry
    read[79] = 0.25f;            // c0 of band 2
    read[100] = 1.0f;            // the high shelf (band 9)
    read[107] = 1.0f;            // two floats of the zero area after the ten-band record ...
    read[109] = 2.0f;            // ... one entry
    read[145] = 1800.0f;         // DIVFREQ_L
    read[305 + 41 + 2] = 1.5f;   // Q of peaking band 3, R
    read[305 + 196 + 7] = -4.0f; // eight-band gain of the high shelf (band 7), R
    read[613] = -0.0f;           // -0.0 is not 0.0 byte for byte
    ExpectDifferences(ParameterDiff::Compare(sent, 2456, read, 2456),
                      {
                          {"SWFS", -1, "header", -1, 1, 1},
                          {"EQGAINLEFT", 0, "ten-band", 3, 30, 1},
                          {"ten-band coefficients of band 1", 0, "ten-band", 1, 60, 2},
                          {"ten-band coefficients of band 2", 0, "ten-band", 2, 79, 1},
                          {"ten-band coefficients of band 9", 0, "ten-band", 9, 100, 1},
                          {"unused area", 0, "unused", -1, 107, 2},
                          {"DIVFREQ_L", 0, "drc", -1, 145, 1},
                          {"EQQRIGHT", 1, "ten-band", 3, 348, 1},
                          {"EQGAINRIGHT1", 1, "eight-band", 7, 508, 1},
                          {"unused area", -1, "unused", -1, 613, 1},
                      });
    const std::vector<FieldDifference> gain = ParameterDiff::Compare(sent, 2456, read, 2456);
    EXPECT_EQ(ParameterDiff::DescribeSentRead(gain[1]),
              u"EQGAINLEFT, channel0, ten-band equaliser, band 3: sent 0, read 7");

    // Without the coefficients, and with lengths that differ: the length comes first.
    const std::vector<FieldDifference> shorter =
        ParameterDiff::Compare(sent, 2456, read, 2000, false);
    ASSERT_EQ(shorter.size(), 8u);
    EXPECT_EQ(ParameterDiff::FieldName(shorter[0]), u"file length");
    EXPECT_EQ(shorter[0].a.Format() + u"/" + shorter[0].b.Format(), u"2456/2000");
    EXPECT_EQ(ParameterDiff::FieldName(shorter[3]), u"unused area");
    EXPECT_TRUE(ParameterDiff::Compare(read, 2456, read, 2456).empty());
}

TEST(ParameterDiff, LocatesConfigurationKeys) {
    FieldDifference where;
    ASSERT_TRUE(ParameterDiff::LocateKey("EQQLEFT1", 0, where));
    EXPECT_EQ(where.channel, 0);
    EXPECT_EQ(where.block, DiffBlock::EightBand);
    EXPECT_EQ(where.band, 1); // the first Q is that of peaking band 1
    ASSERT_TRUE(ParameterDiff::LocateKey("RLMT_THRESHOLD", 0, where));
    EXPECT_EQ(where.channel, 1);
    EXPECT_EQ(where.block, DiffBlock::Limiter);
    EXPECT_EQ(where.band, -1);
    EXPECT_FALSE(ParameterDiff::LocateKey("EQLink", 0, where)); // editor state, not in the file
}
