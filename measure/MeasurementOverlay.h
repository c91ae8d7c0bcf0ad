#pragma once

#include "measure/AlignedResponse.h"
#include "measure/FitRange.h"
#include "measure/MeasuredResponse.h"
#include "measure/TargetCurve.h"
#include "params/ChainResponse.h"
#include "params/ParameterSet.h"

#include <cstdint>
#include <optional>
#include <vector>

// The curves an equaliser page draws over a channel's measurement, in dB: the measurement, the
// predicted response (measurement + the channel's whole chain, interpolated linearly in
// log-frequency onto the measured points) and the target on the measured points of the fit
// range, raised or lowered by the mean difference between predicted response and target there
// (the overall level is not part of the comparison: the target follows the predicted level).
// Only the measured points below half the sample rate are drawn; the predicted response does not
// exist outside the measured range.
struct OverlayCurves {
    std::vector<double> frequencies; // the measured points drawn, Hz
    std::vector<double> measured;
    std::vector<double> predicted;
    std::vector<double> targetFrequencies; // the points of the fit range (within a target file)
    std::vector<double> target;
    // The RMS error between predicted response and target over the fit range, after removing
    // their mean difference; none without a target or with fewer than two points in the range.
    std::optional<double> rms;
    // Measured levels are absolute (dB SPL, often 70 to 100 dB); the curves are drawn around
    // 0 dB, beside the equaliser: every level above is the true one plus this shift (minus the
    // mean measured level), which the legend states.
    double shift = 0.0;
};

// A channel's measurement prepared for drawing against a target on a sample rate: the points
// are aligned once, and each drawing only computes the chain. A measurement with many points (a
// Fourier transform's) is drawn on points merged to at most one per kDrawnOctaves octave; the
// RMS error always counts every measured point of the range.
class MeasurementOverlay {
public:
    static constexpr std::size_t kMaxDrawnPoints = 4096;
    static constexpr double kDrawnOctaves = 1.0 / 256.0;

    // target may be null (a target file that could not be read): the measurement and the
    // predicted response are drawn, the target and the error are not.
    MeasurementOverlay(const MeasuredResponse& measurement, const TargetCurve* target,
                       const FitRange& range, int32_t sampleRate);

    int32_t SampleRate() const { return sampleRate_; }
    // Whether anything can be drawn: at least two measured points below half the sample rate.
    bool Drawable() const { return drawable_; }
    // Whether the error can be computed: a target and at least two points in the fit range.
    bool HasError() const { return hasError_; }
    // The measured points of the fit range with their target, as a fit takes them.
    const AlignedResponse& FitPoints() const { return fit_; }

    // The curves for a channel of set (set.SWFS must be SampleRate()); on failure curves is
    // emptied.
    ChainStatus Compute(const ChainResponse& chain, const ParameterSet& set, int channel,
                        OverlayCurves& curves) const;

private:
    int32_t sampleRate_ = 0;
    bool drawable_ = false;
    bool hasError_ = false;
    AlignedResponse drawn_;    // the whole measured range, thinned for drawing
    AlignedResponse fit_;      // the fit range, every point
    AlignedResponse fitDrawn_; // the fit range, thinned for drawing the target
};
