#include "measure/LogInterpolator.h"

#include <algorithm>
#include <cmath>

namespace {

// The source point at or below frequency and the share of the one above it.
void Locate(const std::vector<double>& from, double frequency, std::size_t& lower, double& weight) {
    weight = 0.0;
    if (from.empty() || frequency <= from.front()) {
        lower = 0;
        return;
    }
    if (frequency >= from.back()) {
        lower = from.size() - 1;
        return;
    }
    const auto above = std::upper_bound(from.begin(), from.end(), frequency);
    lower = static_cast<std::size_t>(above - from.begin()) - 1;
    const double span = std::log(from[lower + 1]) - std::log(from[lower]);
    weight = span > 0.0 ? (std::log(frequency) - std::log(from[lower])) / span : 0.0;
}

} // namespace

LogInterpolator::LogInterpolator(const std::vector<double>& from, const std::vector<double>& to)
    : lower_(to.size()), weight_(to.size()) {
    for (std::size_t i = 0; i < to.size(); ++i) {
        Locate(from, to[i], lower_[i], weight_[i]);
    }
}

double LogInterpolator::At(const std::vector<double>& from, const std::vector<double>& values,
                           double frequency) {
    if (from.empty()) {
        return 0.0;
    }
    std::size_t lower = 0;
    double weight = 0.0;
    Locate(from, frequency, lower, weight);
    return weight == 0.0 ? values[lower]
                         : values[lower] + weight * (values[lower + 1] - values[lower]);
}
