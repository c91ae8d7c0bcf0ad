// The response from stored lattice sections, from a design record and from a parameter file,
// and the tuning view's curves with their cache and the departures of stored sections.
#include "params/DeviceResponse.h"

#include "base/NumberText.h"
#include "params/ChainResponse.h"
#include "params/ParameterFile.h"
#include "params/ToolLibrary.h"
#include "params/TuningResponse.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

const ToolLibrary& Library() {
    static ToolLibrary library;
    static const ToolLoadResult loaded = library.Load(NumberText::Widen(SONVEX_BIN_DIR) + u"/");
    EXPECT_EQ(loaded, ToolLoadResult::Ok);
    return library;
}

// Flat equalisers at the 48000 Hz layout on both channels.
ParameterSet FlatSet() {
    ParameterSet set;
    set.SWFS = 48000;
    set.CHANUM = 2;
    set.EQSwtch = set.EQSwtch1 = true;
    set.EQCFLEFT = {50, 90, 170, 350, 700, 1410, 2870, 5820, 11820, 23500};
    set.EQQLEFT = {2.5f, 2.5f, 2.5f, 2.5f, 2.5f, 2.5f, 2.5f, 2.5f};
    set.EQCFLEFT1 = {50, 120, 290, 700, 1690, 4080, 9900, 23000};
    set.EQQLEFT1 = {2.5f, 2.5f, 2.5f, 2.5f, 2.5f, 2.5f};
    set.EQCFRIGHT = set.EQCFLEFT;
    set.EQQRIGHT = set.EQQLEFT;
    set.EQCFRIGHT1 = set.EQCFLEFT1;
    set.EQQRIGHT1 = set.EQQLEFT1;
    return set;
}

double MaxDifference(const std::vector<double>& a, const std::vector<float>& b) {
    double worst = 0.0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        worst = std::max(worst, std::abs(a[i] - static_cast<double>(b[i])));
    }
    return worst;
}

TEST(DeviceResponse, StepsTheLibrarysSectionBackUpToItsDirectForm) {
    // Peaking +12 dB at 1000 Hz, Q 2.5, at 48000 Hz: b = (1.038617, -1.957203, 0.935475),
    // a = (1, -1.957203, 0.974092); +12 dB at 1000 Hz, +6 dB near 819.7 Hz.
    std::vector<float> record(78, 0.0f);
    record[3] = 12.0f;
    const float frequencies[10] = {50, 90, 170, 1000, 700, 1410, 2870, 5820, 11820, 23500};
    std::copy(std::begin(frequencies), std::end(frequencies), record.begin() + 10);
    std::fill(record.begin() + 20, record.begin() + 28, 2.5f);
    std::vector<float> curve;
    ASSERT_EQ(ChainResponse(Library()).Record(EqualiserKind::TenBand, record,
                                              DesignGrid::Display(48000), curve),
              ChainStatus::Ok);
    const std::vector<LatticeSection> sections =
        DeviceResponse::RecordSections(EqualiserKind::TenBand, record);
    ASSERT_EQ(sections.size(), 10u);
    const DirectSection peak = DeviceResponse::StepUp(sections[3]);
    EXPECT_NEAR(peak.b0, 1.038617, 2e-6);
    EXPECT_NEAR(peak.b1, -1.957203, 2e-6);
    EXPECT_NEAR(peak.b2, 0.935475, 2e-6);
    EXPECT_NEAR(peak.a1, -1.957203, 2e-6);
    EXPECT_NEAR(peak.a2, 0.974092, 2e-6);
    EXPECT_NEAR(DeviceResponse::MagnitudeDb(peak, 1000.0, 48000.0), 12.0, 0.01);
    EXPECT_NEAR(DeviceResponse::MagnitudeDb(peak, 819.7, 48000.0), 6.0, 0.05);
    // The flat bands stay flat, and the whole equaliser is the library's curve to far below
    // a hundredth of a dB.
    std::vector<double> device;
    ASSERT_EQ(DeviceResponse::Curve(sections, DesignGrid::Display(48000), device),
              DeviceCurveStatus::Ok);
    EXPECT_LT(MaxDifference(device, curve), 0.01);
}

TEST(DeviceResponse, ReadsTheStoredSectionsSwitchesAndGainsOfAFile) {
    TempDir dir;
    ParameterSet set = FlatSet();
    set.EQGAINLEFT[2] = 9;
    set.EQGAINLEFT1[5] = -7;
    set.SCTRGAINL1 = -4;
    set.SCTRGAINL2 = 3;
    set.EQSwtch1 = false;
    const std::u16string path = NumberText::Widen(dir.File("p.bin"));
    ASSERT_TRUE(ParameterFile::WriteParameterFile(path, set, Library()).Ok());
    ParameterArray file{};
    ASSERT_TRUE(ParameterFile::ReadArray(path, file).Ok());
    EXPECT_EQ(DeviceResponse::FileSampleRate(file), 48000);

    const DesignGrid grid{48000, 30.0f, 300};
    const ChainResponse design(Library());
    std::vector<float> ten;
    std::vector<float> eight;
    ASSERT_EQ(design.TenBand(set, 0, grid, ten), ChainStatus::Ok);
    ASSERT_EQ(design.EightBand(set, 0, grid, eight), ChainStatus::Ok);
    std::vector<double> stored;
    ASSERT_EQ(DeviceResponse::FileEqualiser(file, EqualiserKind::EightBand, 0, grid, stored),
              DeviceCurveStatus::Ok);
    EXPECT_LT(MaxDifference(stored, eight), 0.01);
    // The eight-band equaliser is off in the file: Gain1 + ten-band + Gain2.
    ASSERT_EQ(DeviceResponse::FileChain(file, 0, grid, stored), DeviceCurveStatus::Ok);
    ASSERT_EQ(stored.size(), 300u);
    for (double& value : stored) {
        value -= -4.0 + 3.0;
    }
    EXPECT_LT(MaxDifference(stored, ten), 0.01);

    // A file of one channel has no R; a coefficient that is not a number is refused.
    std::vector<double> untouched{1.0};
    file[0] = 1.0f;
    EXPECT_EQ(DeviceResponse::FileChain(file, 1, grid, untouched), DeviceCurveStatus::NoChannel);
    file[0] = 2.0f;
    file[6 + 21 + 35] = std::numeric_limits<float>::quiet_NaN(); // ten-band L: k1 of band 2
    EXPECT_EQ(DeviceResponse::FileEqualiser(file, EqualiserKind::TenBand, 0, grid, untouched),
              DeviceCurveStatus::NotFiniteStored);
    EXPECT_EQ(DeviceResponse::FileChain(file, 0, DesignGrid{48000, 30000.0f, 300}, untouched),
              DeviceCurveStatus::BadGrid);
    EXPECT_EQ(untouched, std::vector<double>{1.0});
}

// A design whose stored section of band 2 (c0) is off by 0.05: a departure of that band only.
EqProductFunction gRealTenBand = nullptr;
void OffTenBand(float* record, float* curve, int32_t rate, float start, int32_t points) {
    gRealTenBand(record, curve, rate, start, points);
    record[28 + 5 + 16 + 3] += 0.05f; // peakC of band 2 (the second peaking band): c0
}

TEST(TuningResponse, KeepsWhatDidNotChangeAndFindsDepartingSections) {
    ParameterSet set = FlatSet();
    set.EQGAINLEFT = {3, -2, 5, 0, -6, 0, 4, 0, 2, -3};
    const ChainResponse design(Library());
    TuningResponse tuning(design);
    TuningRequest request;
    request.bothChannels = request.wholeChain = request.bandCurves = request.deviceResponse = true;
    const DesignGrid grid = DesignGrid::Display(48000);
    TuningCurves curves;
    ASSERT_EQ(tuning.Compute(set, request, grid, curves), ChainStatus::Ok);
    // Both equalisers of both channels, and each of the ten bands alone.
    EXPECT_EQ(tuning.LibraryCalls(), 14);
    ASSERT_EQ(curves.bands.size(), 10u);
    EXPECT_TRUE(curves.departures.empty());
    // The bands alone add up to the equaliser.
    std::vector<double> sum(curves.frequencies.size(), 0.0);
    for (const std::vector<float>& band : curves.bands) {
        for (std::size_t i = 0; i < sum.size(); ++i) {
            sum[i] += band[i];
        }
    }
    EXPECT_LT(MaxDifference(sum, curves.own.equaliser), 0.01);
    EXPECT_LT(MaxDifference(curves.own.device, curves.own.equaliser), 0.05);
    EXPECT_TRUE(curves.own.chainPeak.found);

    // Dragging band 3 designs that band and its equaliser again, nothing else.
    set.EQGAINLEFT[3] = 12;
    set.EQCFLEFT[3] = 360;
    ASSERT_EQ(tuning.Compute(set, request, grid, curves), ChainStatus::Ok);
    EXPECT_EQ(tuning.LibraryCalls(), 16);
    EXPECT_NEAR(*std::max_element(curves.bands[3].begin(), curves.bands[3].end()), 12.0f, 0.05f);
    EXPECT_NEAR(curves.own.chainPeak.db, 12.0, 0.5);
    EXPECT_NEAR(curves.own.chainPeak.frequency, 360.0, 20.0);

    // A band the library cannot take (Q 0) leaves the other bands' own curves finite.
    set.EQQLEFT[0] = 0.0f;
    ASSERT_EQ(tuning.Compute(set, request, grid, curves), ChainStatus::Ok);
    EXPECT_TRUE(std::isfinite(curves.bands[4][500]));

    gRealTenBand = Library().Eq10();
    const ChainResponse off(&OffTenBand, Library().Eq8());
    TuningResponse departing(off);
    ASSERT_EQ(departing.Compute(FlatSet(), request, grid, curves), ChainStatus::Ok);
    ASSERT_EQ(curves.departures.size(), 1u);
    EXPECT_EQ(curves.departures[0].band, 2);
    EXPECT_GT(curves.departures[0].db, TuningResponse::kDepartureLimitDb);
}

} // namespace
