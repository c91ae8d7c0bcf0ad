// The measurement and its target on the points of the fit range: interpolation in
// log-frequency, the choice of points and grid, the targets and the error after removing the
// mean.

#include "measure/AlignedResponse.h"
#include "measure/PredictedResponse.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Alignment, InterpolatesLinearlyInLogFrequencyAndHoldsTheEnds) {
    const std::vector<double> from{100.0, 400.0, 1600.0};
    const std::vector<double> values{0.0, 6.0, -6.0};
    // 200 Hz is half way from 100 to 400 Hz in log-frequency, 800 Hz from 400 to 1600 Hz.
    EXPECT_DOUBLE_EQ(LogInterpolator::At(from, values, 200.0), 3.0);
    EXPECT_DOUBLE_EQ(LogInterpolator::At(from, values, 800.0), 0.0);
    EXPECT_DOUBLE_EQ(LogInterpolator::At(from, values, 400.0), 6.0);
    EXPECT_DOUBLE_EQ(LogInterpolator::At(from, values, 50.0), 0.0);
    EXPECT_DOUBLE_EQ(LogInterpolator::At(from, values, 5000.0), -6.0);

    std::vector<double> out;
    LogInterpolator(from, {50.0, 100.0 * std::sqrt(2.0), 1600.0, 2000.0}).Apply(values, out);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_DOUBLE_EQ(out[0], 0.0);
    EXPECT_NEAR(out[1], 1.5, 1e-12); // a quarter of the way
    EXPECT_DOUBLE_EQ(out[2], -6.0);
    EXPECT_DOUBLE_EQ(out[3], -6.0);

    // The predicted response: the measurement plus the chain on the measured points only.
    MeasuredResponse measurement{{200.0, 3000.0}, {80.0, 81.0}};
    const MeasuredResponse predicted = PredictedResponse::Of(measurement, from, values);
    EXPECT_EQ(predicted.frequencies, measurement.frequencies);
    EXPECT_DOUBLE_EQ(predicted.levels[0], 83.0);
    EXPECT_DOUBLE_EQ(predicted.levels[1], 75.0);
}

TEST(Alignment, TakesThePointsOfTheRangeBelowHalfTheRateWithinTheTarget) {
    MeasuredResponse measurement;
    for (const double f : {10.0, 20.0, 100.0, 1000.0, 8000.0, 11025.0, 12000.0}) {
        measurement.frequencies.push_back(f);
        measurement.levels.push_back(f == 1000.0 ? 70.0 : 60.0);
    }
    AlignedResponse aligned;
    ASSERT_EQ(AlignedResponse::Align(measurement, TargetCurve::Flat(), FitRange{20.0, 20000.0},
                                     22050, aligned),
              AlignStatus::Ok);
    EXPECT_EQ(aligned.Frequencies(), (std::vector<double>{20.0, 100.0, 1000.0, 8000.0}));
    EXPECT_EQ(aligned.Grid(), (DesignGrid{22050, 20.0f, 1000}));

    // A range from 10 Hz: a grid from 10 Hz with as many points per octave.
    ASSERT_EQ(AlignedResponse::Align(measurement, TargetCurve::Flat(), FitRange{10.0, 20000.0},
                                     48000, aligned),
              AlignStatus::Ok);
    EXPECT_EQ(aligned.Frequencies().front(), 10.0);
    EXPECT_EQ(aligned.Grid().startFrequency, 10.0f);
    EXPECT_EQ(aligned.Grid().pointCount, 1098); // 1000 * log2(2400) / log2(1200), rounded up

    // A target file covers only its own span.
    const TargetCurve file = TargetCurve::FromResponse({{50.0, 5000.0}, {3.0, -3.0}});
    ASSERT_EQ(AlignedResponse::Align(measurement, file, FitRange{20.0, 20000.0}, 48000, aligned),
              AlignStatus::Ok);
    EXPECT_EQ(aligned.Frequencies(), (std::vector<double>{100.0, 1000.0}));
    EXPECT_NEAR(aligned.Target()[1], -3.0 + 6.0 * std::log2(5000.0 / 1000.0) / std::log2(100.0),
                1e-12);

    // Refusals.
    EXPECT_EQ(AlignedResponse::Align(measurement, TargetCurve::Flat(), FitRange{2000.0, 5000.0},
                                     48000, aligned),
              AlignStatus::TooFewPoints);
    EXPECT_EQ(AlignedResponse::Align(measurement, TargetCurve::Flat(), FitRange{500.0, 100.0},
                                     48000, aligned),
              AlignStatus::BadRange);
    EXPECT_EQ(AlignedResponse::Align(measurement, TargetCurve::Flat(), FitRange{}, 0, aligned),
              AlignStatus::BadSampleRate);
}

TEST(Alignment, ErrorIgnoresTheOverallLevelAndFollowsTheTarget) {
    MeasuredResponse measurement;
    for (int i = 0; i < 11; ++i) {
        const double f = 125.0 * std::exp2(i * 0.5);
        measurement.frequencies.push_back(f);
        // A tilt of -2 dB per octave through 90 dB at 1 kHz, and +1/-1 dB alternating.
        measurement.levels.push_back(90.0 - 2.0 * std::log2(f / 1000.0) + (i % 2 ? 1.0 : -1.0));
    }
    const std::vector<double> none(11, 0.0);
    AlignedResponse aligned;
    ASSERT_EQ(
        AlignedResponse::Align(measurement, TargetCurve::Tilt(-2.0), FitRange{}, 48000, aligned),
        AlignStatus::Ok);
    EXPECT_DOUBLE_EQ(aligned.Target()[6], 0.0);  // 1 kHz
    EXPECT_DOUBLE_EQ(aligned.Target()[8], -2.0); // 2 kHz
    // Eleven points of +-1 dB: mean -1/11, RMS about it sqrt(1 - 1/121).
    EXPECT_NEAR(aligned.Rms(none), std::sqrt(1.0 - 1.0 / 121.0), 1e-12);
    // A chain that undoes the ripple and adds 5 dB: no error left.
    std::vector<double> chain(11);
    for (int i = 0; i < 11; ++i) {
        chain[static_cast<std::size_t>(i)] = 5.0 - (i % 2 ? 1.0 : -1.0);
    }
    EXPECT_NEAR(aligned.Rms(chain), 0.0, 1e-12);
}

TEST(Alignment, ThinnedPointsCountForThoseTheyMerge) {
    // Three points within a hundredth of an octave at 1 kHz, two lone ones.
    MeasuredResponse measurement{{100.0, 1000.0, 1002.0, 1004.0, 4000.0},
                                 {1.0, 4.0, 5.0, 6.0, -2.0}};
    AlignedResponse aligned;
    ASSERT_EQ(AlignedResponse::Align(measurement, TargetCurve::Flat(), FitRange{}, 48000, aligned),
              AlignStatus::Ok);
    const AlignedResponse thinned = aligned.Thinned(0.01);
    EXPECT_EQ(thinned.Weights(), (std::vector<double>{1.0, 3.0, 1.0}));
    EXPECT_EQ(thinned.Measured(), (std::vector<double>{1.0, 5.0, -2.0}));
    EXPECT_EQ(thinned.Frequencies()[0], 100.0);
    EXPECT_NEAR(thinned.Frequencies()[1], std::cbrt(1000.0 * 1002.0 * 1004.0), 1e-9);
    EXPECT_EQ(thinned.TotalWeight(), 5.0);
    // A chain that levels the merged points leaves the same error on both.
    const std::vector<double> chain{0.0, -4.0, -5.0, -6.0, 0.0};
    const double full = aligned.Rms(chain);
    EXPECT_NEAR(thinned.Rms({0.0, -5.0, 0.0}), full, 1e-12);
    EXPECT_NEAR(full, AlignedResponse::CentredRms({1.0, 0.0, 0.0, 0.0, -2.0}), 1e-12);
}

TEST(Alignment, ReadsARange) {
    EXPECT_EQ(FitRange::Parse("20-20000")->high, 20000.0);
    EXPECT_EQ(FitRange::Parse("31.5-16000")->low, 31.5);
    EXPECT_EQ(FitRange::Parse("1e1-2e4")->low, 10.0);
    for (const char* bad : {"20", "-20-100", "100-50", "0-100", "a-b", "20-", "20--30", ""}) {
        EXPECT_FALSE(FitRange::Parse(bad).has_value()) << bad;
    }
}

} // namespace
