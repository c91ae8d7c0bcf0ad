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
    result.weights_.assign(result.Size(), 1.0);
    result.totalWeight_ = static_cast<double>(result.Size());
    result.grid_ = GridFor(sampleRate, result.frequencies_.front());
    result.fromGrid_ = LogInterpolator(result.grid_.Frequencies(), result.frequencies_);
    aligned = std::move(result);
    return AlignStatus::Ok;
}

double AlignedResponse::CentredRms(const std::vector<double>& values,
                                   const std::vector<double>& weights) {
    if (values.empty()) {
        return 0.0;
    }
    const auto weight = [&](std::size_t i) { return weights.empty() ? 1.0 : weights[i]; };
    double total = 0.0;
    double mean = 0.0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        total += weight(i);
        mean += weight(i) * values[i];
    }
    mean /= total;
    double sum = 0.0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        sum += weight(i) * (values[i] - mean) * (values[i] - mean);
    }
    return std::sqrt(sum / total);
}

AlignedResponse AlignedResponse::Thinned(double octaves) const {
    AlignedResponse thinned;
    thinned.range_ = range_;
    thinned.grid_ = grid_;
    std::size_t first = 0;
    while (first < Size()) {
        const double end = std::log2(frequencies_[first]) + octaves;
        double logs = 0.0;
        double measured = 0.0;
        double target = 0.0;
        double weight = 0.0;
        std::size_t next = first;
        for (; next < Size() && (next == first || std::log2(frequencies_[next]) < end); ++next) {
            logs += weights_[next] * std::log2(frequencies_[next]);
            measured += weights_[next] * measured_[next];
            target += weights_[next] * target_[next];
            weight += weights_[next];
        }
        thinned.frequencies_.push_back(next == first + 1 ? frequencies_[first]
                                                         : std::exp2(logs / weight));
        thinned.measured_.push_back(next == first + 1 ? measured_[first] : measured / weight);
        thinned.target_.push_back(next == first + 1 ? target_[first] : target / weight);
        thinned.weights_.push_back(weight);
        first = next;
    }
    thinned.totalWeight_ = totalWeight_;
    thinned.fromGrid_ = LogInterpolator(grid_.Frequencies(), thinned.frequencies_);
    return thinned;
}

double AlignedResponse::Rms(const std::vector<double>& chainOnPoints) const {
    std::vector<double> difference(Size());
    for (std::size_t i = 0; i < Size(); ++i) {
        difference[i] = measured_[i] + chainOnPoints[i] - target_[i];
    }
    return CentredRms(difference, weights_);
}

double AlignedResponse::RmsOnGrid(const std::vector<double>& chainOnGrid) const {
    std::vector<double> chain;
    fromGrid_.Apply(chainOnGrid, chain);
    return Rms(chain);
}
