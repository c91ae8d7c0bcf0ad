#include "measure/AlignedResponse.h"

#include "tool/FrequencyGrid.h"

#include <algorithm>
#include <cmath>

namespace {

// The pages' grid when the points start at 20 Hz or above; otherwise a grid from the lowest
// point (at least 1 Hz) with as many points per octave.
DesignGrid GridFor(int32_t sampleRate, double lowest) {
    const DesignGrid display = DesignGrid::Display(sampleRate);
    if (lowest >= static_cast<double>(display.startFrequency)) {
        return display;
    }
    const double half = sonvex_grid::HalfRate(sampleRate);
    const double start = std::max(1.0, std::floor(lowest));
    const double displayOctaves = std::log2(half / static_cast<double>(display.startFrequency));
    const double octaves = std::log2(half / start);
    double points = static_cast<double>(display.pointCount);
    if (displayOctaves > 0.0 && octaves > displayOctaves) {
        points = std::ceil(points * octaves / displayOctaves);
    }
    return DesignGrid{sampleRate, static_cast<float>(start),
                      static_cast<int32_t>(std::min(points, double{DesignGrid::kMaxPoints}))};
}

} // namespace

AlignStatus AlignedResponse::Align(const MeasuredResponse& measurement, const TargetCurve& target,
                                   const FitRange& range, int32_t sampleRate,
                                   AlignedResponse& aligned) {
    if (!range.Valid()) {
        return AlignStatus::BadRange;
    }
    if (sampleRate < 2) {
        return AlignStatus::BadSampleRate;
    }
    const double half = static_cast<double>(sampleRate) / 2.0;
    AlignedResponse result;
    result.range_ = range;
    for (std::size_t i = 0; i < measurement.Size(); ++i) {
        const double frequency = measurement.frequencies[i];
        if (frequency >= range.low && frequency <= range.high && frequency < half &&
            target.Covers(frequency)) {
            result.frequencies_.push_back(frequency);
            result.measured_.push_back(measurement.levels[i]);
        }
    }
    if (result.Size() < kMinPoints) {
        return AlignStatus::TooFewPoints;
    }
    result.target_ = target.On(result.frequencies_);
    result.grid_ = GridFor(sampleRate, result.frequencies_.front());
    result.fromGrid_ = LogInterpolator(result.grid_.Frequencies(), result.frequencies_);
    aligned = std::move(result);
    return AlignStatus::Ok;
}

double AlignedResponse::CentredRms(const std::vector<double>& values) {
    if (values.empty()) {
        return 0.0;
    }
    double mean = 0.0;
    for (const double value : values) {
        mean += value;
    }
    mean /= static_cast<double>(values.size());
    double sum = 0.0;
    for (const double value : values) {
        sum += (value - mean) * (value - mean);
    }
    return std::sqrt(sum / static_cast<double>(values.size()));
}

double AlignedResponse::Rms(const std::vector<double>& chainOnPoints) const {
    std::vector<double> difference(Size());
    for (std::size_t i = 0; i < Size(); ++i) {
        difference[i] = measured_[i] + chainOnPoints[i] - target_[i];
    }
    return CentredRms(difference);
}

double AlignedResponse::RmsOnGrid(const std::vector<double>& chainOnGrid) const {
    std::vector<double> chain;
    fromGrid_.Apply(chainOnGrid, chain);
    return Rms(chain);
}
