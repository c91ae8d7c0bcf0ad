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
// mean difference, so the overall level does not count. Every measured point counts once: a point
// of a thinned copy (Thinned) stands for several and counts as many, so that the error on the
// copy follows the error on all of them.
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
    // How many measured points each point stands for (1 unless thinned), and their sum.
    const std::vector<double>& Weights() const { return weights_; }
    double TotalWeight() const { return totalWeight_; }

    // A copy on fewer points where the points lie closer than `octaves` apart: the points within
    // each such span from the first one on are merged into one (at their mean log-frequency,
    // with their mean measured and target levels) that counts for all of them. The grid stays.
    // Measurements from a Fourier transform have thousands of points per octave at the top.
    AlignedResponse Thinned(double octaves) const;

    // The design grid the chain is computed on, and its interpolation onto the points.
    const DesignGrid& Grid() const { return grid_; }
    const LogInterpolator& FromGrid() const { return fromGrid_; }

    // The error in dB for a chain given on the points (Size() values).
    double Rms(const std::vector<double>& chainOnPoints) const;
    // The error in dB for a chain given on Grid().
    double RmsOnGrid(const std::vector<double>& chainOnGrid) const;

    // The root mean square of values after removing their mean, each counted weights[i] times
    // (every one once when weights is empty).
    static double CentredRms(const std::vector<double>& values,
                             const std::vector<double>& weights = {});

private:
    std::vector<double> frequencies_;
    std::vector<double> measured_;
    std::vector<double> target_;
    std::vector<double> weights_;
    double totalWeight_ = 0.0;
    FitRange range_;
    DesignGrid grid_;
    LogInterpolator fromGrid_;
};
