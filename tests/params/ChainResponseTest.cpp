#include "params/ChainResponse.h"
#include "params/ToolLibrary.h"
#include "base/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

const ToolLibrary& Library() {
    static ToolLibrary library;
    static const ToolLoadResult loaded = library.Load(NumberText::Widen(SONVEX_BIN_DIR) + u"/");
    EXPECT_EQ(loaded, ToolLoadResult::Ok);
    return library;
}

// The library's own curve of a record written out by hand.
std::vector<float> LibraryCurve(EqProductFunction function, std::vector<float> record, int32_t rate,
                                float start, int32_t points) {
    std::vector<float> curve(static_cast<std::size_t>(points));
    function(record.data(), curve.data(), rate, start, points);
    return curve;
}

TEST(ChainResponse, IsGain1PlusTheEqualisersThatAreOnPlusGain2) {
    ParameterSet set;
    set.SWFS = 44100;
    set.SCTRGAINR1 = -3;
    set.SCTRGAINR2 = 5;
    set.SCTRGAINL1 = 7; // channel L: not part of channel R's chain
    set.EQGAINRIGHT = {4, -6, 0, 0, 0, 0, 0, 0, 0, 2};
    set.EQCFRIGHT = {80, 1000, 200, 300, 400, 500, 600, 700, 800, 9000};
    set.EQQRIGHT = {2.5f, 1, 1, 1, 1, 1, 1, 1};
    set.EQGAINRIGHT1 = {0, 0, 8, 0, 0, 0, 0, 0};
    set.EQCFRIGHT1 = {50, 100, 3000, 400, 500, 600, 700, 20000};
    set.EQQRIGHT1 = {1, 4, 1, 1, 1, 1};
    std::vector<float> ten(78, 0.0f);
    const float tenInputs[28] = {4,   -6,  0,   0,   0,   0,    0,    0, 0, 2, 80, 1000, 200, 300,
                                 400, 500, 600, 700, 800, 9000, 2.5f, 1, 1, 1, 1,  1,    1,   1};
    std::copy(std::begin(tenInputs), std::end(tenInputs), ten.begin());
    std::vector<float> eight(62, 0.0f);
    const float eightInputs[22] = {0,   0,   8,   0,   0,     0, 0, 0, 50, 100, 3000,
                                   400, 500, 600, 700, 20000, 1, 4, 1, 1,  1,   1};
    std::copy(std::begin(eightInputs), std::end(eightInputs), eight.begin());

    const DesignGrid grid{44100, 30.0f, 500};
    const std::vector<float> tenCurve = LibraryCurve(Library().Eq10(), ten, 44100, 30.0f, 500);
    const std::vector<float> eightCurve = LibraryCurve(Library().Eq8(), eight, 44100, 30.0f, 500);
    const ChainResponse chain(Library());

    std::vector<float> curve;
    ASSERT_EQ(chain.TenBand(set, 1, grid, curve), ChainStatus::Ok);
    EXPECT_EQ(std::memcmp(curve.data(), tenCurve.data(), 500 * sizeof(float)), 0);
    ASSERT_EQ(chain.EightBand(set, 1, grid, curve), ChainStatus::Ok);
    EXPECT_EQ(std::memcmp(curve.data(), eightCurve.data(), 500 * sizeof(float)), 0);

    for (const bool tenOn : {false, true}) {
        for (const bool eightOn : {false, true}) {
            set.EQSwtch = tenOn;
            set.EQSwtch1 = eightOn;
            std::vector<double> whole;
            ASSERT_EQ(chain.Chain(set, 1, grid, whole), ChainStatus::Ok);
            ASSERT_EQ(whole.size(), 500u);
            for (std::size_t i = 0; i < whole.size(); i += 37) {
                double expected = -3.0;
                expected += tenOn ? static_cast<double>(tenCurve[i]) : 0.0;
                expected += eightOn ? static_cast<double>(eightCurve[i]) : 0.0;
                EXPECT_EQ(whole[i], expected + 5.0) << i << " " << tenOn << eightOn;
            }
        }
    }
    // The frequencies of the points are the library's grid: from 30 Hz up to one step of
    // log2(22050 / 30) / 500 octaves below 22050 Hz.
    const std::vector<double> frequencies = grid.Frequencies();
    EXPECT_EQ(frequencies.front(), 30.0);
    EXPECT_NEAR(frequencies.back(), 22050.0 / std::pow(735.0, 1.0 / 500.0), 0.01);

    // No library, or a grid the library cannot take: nothing computed.
    std::vector<double> untouched{1.0};
    EXPECT_EQ(ChainResponse(nullptr, nullptr).Chain(set, 1, grid, untouched),
              ChainStatus::LibraryMissing);
    EXPECT_EQ(chain.Chain(set, 1, DesignGrid{0, 20.0f, 1000}, untouched), ChainStatus::BadGrid);
    EXPECT_EQ(chain.Chain(set, 1, DesignGrid{48000, 30000.0f, 1000}, untouched),
              ChainStatus::BadGrid);
    EXPECT_EQ(untouched, std::vector<double>{1.0});
}

} // namespace
