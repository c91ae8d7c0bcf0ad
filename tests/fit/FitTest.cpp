// The fitter on measurements made from known bands: the exact correction is found, the bands
// always lie on the device's steps, the same request gives the same bands, and cancelling leaves
// nothing.

#include "fit/EqualiserFitter.h"
#include "params/ToolLibrary.h"
#include "base/NumberText.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <vector>

namespace {

const ToolLibrary& Library() {
    static ToolLibrary library;
    static const ToolLoadResult loaded = library.Load(NumberText::Widen(SONVEX_OPTIMISED_TOOL_DIR));
    EXPECT_EQ(loaded, ToolLoadResult::Ok);
    return library;
}

// 48 kHz, both equalisers on, every band flat at the frequencies of the band reset.
ParameterSet Flat() {
    ParameterSet set;
    set.SWFS = 48000;
    set.CHANUM = 2;
    set.EQSwtch = true;
    set.EQSwtch1 = true;
    set.EQCFLEFT = {50, 90, 170, 350, 700, 1410, 2870, 5820, 11820, 23500};
    set.EQQLEFT = {2.5f, 2.5f, 2.5f, 2.5f, 2.5f, 2.5f, 2.5f, 2.5f};
    set.EQCFLEFT1 = {50, 120, 290, 700, 1690, 4080, 9900, 23000};
    set.EQQLEFT1 = {2.5f, 2.5f, 2.5f, 2.5f, 2.5f, 2.5f};
    return set;
}

// A measurement on every third point of the pages' grid (20 Hz, 1000 points) that the ten-band
// bands below turn into a flat line 80 dB high: 80 dB minus their curve, as the library computes
// it.
MeasuredResponse Correctable(float* record) {
    std::vector<float> curve(1000);
    Library().Eq10()(record, curve.data(), 48000, 20.0f, 1000);
    MeasuredResponse measurement;
    const double step = std::log2(24000.0 / 20.0) / 1000.0;
    for (int i = 0; i < 1000; i += 3) {
        measurement.frequencies.push_back(20.0 * std::exp2(step * i));
        measurement.levels.push_back(80.0 - curve[static_cast<std::size_t>(i)]);
    }
    return measurement;
}

FitRequest Request(const ParameterSet& set, const MeasuredResponse& measurement,
                   FitEqualisers equalisers) {
    FitRequest request;
    request.parameters = set;
    request.equalisers = equalisers;
    EXPECT_EQ(AlignedResponse::Align(measurement, TargetCurve::Flat(), FitRange{20.0, 20000.0},
                                     set.SWFS, request.response),
              AlignStatus::Ok);
    return request;
}

// Every band where the boxes of the ten-band page would take it: whole dB from -12 to 12, whole
// Hz above 0 and below SWFS / 2, Q above 0.5 with one decimal (and at most 10).
void ExpectOnSteps(const EqualiserBands& bands, int32_t sampleRate) {
    for (std::size_t i = 0; i < bands.gains.size(); ++i) {
        EXPECT_GE(bands.gains[i], -12) << i;
        EXPECT_LE(bands.gains[i], 12) << i;
        EXPECT_GT(bands.frequencies[i], 0) << i;
        EXPECT_LT(bands.frequencies[i], sampleRate / 2) << i;
    }
    for (const float q : bands.q) {
        EXPECT_GT(q, 0.5f);
        EXPECT_LE(q, 10.0f);
        EXPECT_EQ(q, static_cast<float>(std::round(q * 10.0) / 10.0)) << q;
    }
}

TEST(Fit, FindsAnExactCorrectionOnTheDeviceStepsAndAgainTheSame) {
    // Low shelf +6 dB at 120 Hz, peaks -8 dB at 300 Hz (Q 2), +5 dB at 2500 Hz (Q 1.2), -4 dB at
    // 7000 Hz (Q 4), high shelf -5 dB at 9000 Hz.
    float record[78] = {6,    0,    -8,   0,     5,     0,    -4, 0, 0, -5,   120, 60, 300, 900,
                        2500, 4000, 7000, 12000, 15000, 9000, 1,  2, 1, 1.2f, 1,   4,  1,   1};
    const MeasuredResponse measurement = Correctable(record);
    const FitRequest request = Request(Flat(), measurement, FitEqualisers::TenBand);
    const EqualiserFitter fitter(Library());
    const FitResult result = fitter.Fit(request);
    ASSERT_EQ(result.status, FitStatus::Ok);
    ASSERT_TRUE(result.tenBand.has_value());
    EXPECT_FALSE(result.eightBand.has_value());
    ExpectOnSteps(*result.tenBand, 48000);
    EXPECT_GT(result.rmsBefore, 3.0);
    EXPECT_LT(result.rmsAfter, 0.3);
    // The peaking bands come in frequency order.
    for (std::size_t i = 2; i + 1 < result.tenBand->frequencies.size(); ++i) {
        EXPECT_LE(result.tenBand->frequencies[i - 1], result.tenBand->frequencies[i]);
    }

    const FitResult again = fitter.Fit(request);
    EXPECT_EQ(again.tenBand, result.tenBand);
    EXPECT_EQ(again.rmsAfter, result.rmsAfter);
}

TEST(Fit, BothEqualisersDoAtLeastAsWellAsTheTenBandAloneWithinTheSteps) {
    // A bass roll-off and a treble bump, with ripple; channel R at 44.1 kHz, a narrower range.
    ParameterSet set = Flat();
    set.SWFS = 44100;
    set.EQCFRIGHT = {40, 80, 160, 320, 640, 1280, 2560, 5120, 10240, 21000};
    set.EQQRIGHT = {0.4f, 1, 1, 1, 1, 1, 1, 1}; // not a Q the device takes: left out
    set.EQCFRIGHT1 = {40, 120, 290, 700, 1690, 4080, 9900, 21000};
    set.EQQRIGHT1 = {2, 2, 2, 2, 2, 2};
    MeasuredResponse measurement;
    for (int i = 0; i < 200; ++i) {
        const double f = 15.0 * std::pow(22000.0 / 15.0, i / 199.0);
        const double rollOff = -10.0 * std::log10(1.0 + std::pow(70.0 / f, 4.0));
        const double bump = 4.0 * std::exp(-std::pow(std::log2(f / 6000.0) / 0.5, 2.0));
        measurement.frequencies.push_back(f);
        measurement.levels.push_back(90.0 + rollOff + bump + 0.4 * std::sin(i * 1.7));
    }
    FitRequest request;
    request.parameters = set;
    request.channel = 1;
    ASSERT_EQ(AlignedResponse::Align(measurement, TargetCurve::Tilt(-0.5), FitRange{40.0, 16000.0},
                                     set.SWFS, request.response),
              AlignStatus::Ok);
    const EqualiserFitter fitter(Library());
    request.equalisers = FitEqualisers::TenBand;
    const FitResult ten = fitter.Fit(request);
    request.equalisers = FitEqualisers::Both;
    const FitResult both = fitter.Fit(request);
    ASSERT_EQ(both.status, FitStatus::Ok);
    ASSERT_TRUE(both.tenBand && both.eightBand);
    ExpectOnSteps(*both.tenBand, 44100);
    ExpectOnSteps(*both.eightBand, 44100);
    EXPECT_LE(both.rmsAfter, ten.rmsAfter + 1e-12);
    EXPECT_LT(both.rmsAfter, both.rmsBefore);

    // Stored into channel R only.
    const ParameterSet applied = both.AppliedTo(set, 1);
    EXPECT_EQ(applied.EQGAINLEFT, set.EQGAINLEFT);
    EXPECT_EQ(applied.EQCFRIGHT[3], both.tenBand->frequencies[3]);
    EXPECT_EQ(applied.EQQRIGHT1[5], both.eightBand->q[5]);
}

TEST(Fit, CancelledLeavesNothingAndProgressClimbsToTheEnd) {
    float record[78] = {3,   2,   0,    0,    0,    0,     0, 0, 0, 0, 200, 1000, 90, 170,
                        350, 700, 1410, 2870, 5820, 11820, 1, 1, 1, 1, 1,   1,    1,  1};
    const FitRequest request = Request(Flat(), Correctable(record), FitEqualisers::EightBand);
    const EqualiserFitter fitter(Library());

    std::vector<double> reported;
    const FitResult done =
        fitter.Fit(request, [&](double fraction) { reported.push_back(fraction); });
    ASSERT_EQ(done.status, FitStatus::Ok);
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(reported.back(), 1.0);
    for (std::size_t i = 1; i < reported.size(); ++i) {
        EXPECT_GT(reported[i], reported[i - 1]);
    }

    // Raised half way through.
    std::atomic<bool> cancel{false};
    const FitResult cancelled = fitter.Fit(
        request, [&](double fraction) { cancel = cancel || fraction > 0.5; }, &cancel);
    EXPECT_EQ(cancelled.status, FitStatus::Cancelled);
    EXPECT_FALSE(cancelled.tenBand || cancelled.eightBand);

    // Without the library nothing can be fitted.
    const FitResult missing = EqualiserFitter(nullptr, nullptr).Fit(request);
    EXPECT_EQ(missing.status, FitStatus::LibraryMissing);
}

} // namespace
