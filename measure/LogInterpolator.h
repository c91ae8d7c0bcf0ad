#pragma once

#include <cstddef>
#include <vector>

// Linear interpolation in log-frequency from the points of one curve onto other frequencies.
// Beyond the first and the last source point the end values hold. The weights are worked out
// once, so applying the interpolation to many curves on the same points is cheap.
class LogInterpolator {
public:
    LogInterpolator() = default;
    // from: the source frequencies, positive and increasing; to: the frequencies wanted, positive.
    LogInterpolator(const std::vector<double>& from, const std::vector<double>& to);

    // The number of frequencies wanted.
    std::size_t Size() const { return lower_.size(); }

    // values holds one value per source frequency (there is at least one); out receives one per
    // frequency wanted.
    template <class T>
    void Apply(const std::vector<T>& values, std::vector<double>& out) const {
        out.resize(lower_.size());
        for (std::size_t i = 0; i < lower_.size(); ++i) {
            const std::size_t j = lower_[i];
            const double low = static_cast<double>(values[j]);
            out[i] = weight_[i] == 0.0
                         ? low
                         : low + weight_[i] * (static_cast<double>(values[j + 1]) - low);
        }
    }

    // One value at frequency; 0 when there are no source points.
    static double At(const std::vector<double>& from, const std::vector<double>& values,
                     double frequency);

private:
    std::vector<std::size_t> lower_; // the source point at or below, or the end that holds
    std::vector<double> weight_;     // the share of the point above it
};
