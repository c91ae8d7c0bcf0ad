#pragma once

#include "measure/FitRange.h"
#include "measure/LogInterpolator.h"
#include "measure/MeasuredResponse.h"
#include "measure/TargetCurve.h"
#include "params/DesignGrid.h"

#include <cstddef>
#include <cstdint>
#include <vector>

enum class AlignStatus {
    Ok,
    BadRange,      // the range is not valid (FitRange::Valid)
    BadSampleRate, // below 2 Hz
    TooFewPoints,  // fewer than kMinPoints measured points in the range
};

// A measurement and its target brought onto the measured points that the comparison uses: those
// within the fit range, below half the sample rate and, for a target file, within its span. The
// chain of the device is computed on a design grid (Grid(): the pages' grid from 20 Hz, or one of
// the same density from the lowest point when the range starts lower) and interpolated in
// log-frequency onto these points; the predicted response is measurement + chain.
//
// The error is the root mean square over these points of predicted - target after removing their
// mean difference, so the overall level does not count. Every point counts once.
class AlignedResponse {
public:
    static constexpr std::size_t kMinPoints = 2;

    static AlignStatus Align(const MeasuredResponse& measurement, const TargetCurve& target,
                             const FitRange& range, int32_t sampleRate, AlignedResponse& aligned);

    std::size_t Size() const { return frequencies_.size(); }
    const std::vector<double>& Frequencies() const { return frequencies_; }
    const std::vector<double>& Measured() const { return measured_; }
    const std::vector<double>& Target() const { return target_; }
    const FitRange& Range() const { return range_; }

    // The design grid the chain is computed on, and its interpolation onto the points.
    const DesignGrid& Grid() const { return grid_; }
    const LogInterpolator& FromGrid() const { return fromGrid_; }

    // The error in dB for a chain given on the points (Size() values).
    double Rms(const std::vector<double>& chainOnPoints) const;
    // The error in dB for a chain given on Grid().
    double RmsOnGrid(const std::vector<double>& chainOnGrid) const;

    // The root mean square of values after removing their mean.
    static double CentredRms(const std::vector<double>& values);

private:
    std::vector<double> frequencies_;
    std::vector<double> measured_;
    std::vector<double> target_;
    FitRange range_;
    DesignGrid grid_;
    LogInterpolator fromGrid_;
};
