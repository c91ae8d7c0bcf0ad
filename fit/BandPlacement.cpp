#include "fit/BandPlacement.h"

#include "params/DeviceSteps.h"

#include <algorithm>
#include <cmath>

namespace {

double ClampQ(double q, double maxQ) {
    return std::clamp(q, DeviceSteps::kMinQTenths / 10.0, maxQ);
}

// The error smoothed over a sixth of an octave around each point.
std::vector<double> Smoothed(const std::vector<double>& frequencies,
                             const std::vector<double>& error) {
    constexpr double kHalfWidth = 1.0 / 12.0; // octaves
    const std::size_t n = frequencies.size();
    std::vector<double> prefix(n + 1, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        prefix[i + 1] = prefix[i] + error[i];
    }
    std::vector<double> smoothed(n);
    std::size_t low = 0;
    std::size_t high = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double octave = std::log2(frequencies[i]);
        while (std::log2(frequencies[low]) < octave - kHalfWidth) {
            ++low;
        }
        while (high < n && std::log2(frequencies[high]) <= octave + kHalfWidth) {
            ++high;
        }
        smoothed[i] = (prefix[high] - prefix[low]) / static_cast<double>(high - low);
    }
    return smoothed;
}

// Fits one band of one slot on its own; keeps it when it lowers the cost, otherwise sets its
// gain back to 0 dB.
bool FitBand(ContinuousFit& fit, const ParameterMap& map, std::vector<BandValues>& values,
             std::size_t slot, int band, double& cost) {
    constexpr int kIterations = 15;
    std::vector<char> free(map.Size(), 0);
    for (std::size_t i = 0; i < map.Size(); ++i) {
        free[i] = map.At(i).slot == slot && map.At(i).band == band ? 1 : 0;
    }
    std::vector<BandValues> trial = values;
    double trialCost = 0.0;
    if (!fit.Minimise(trial, trialCost, free, kIterations)) {
        return false;
    }
    if (trialCost < cost) {
        values = std::move(trial);
        cost = trialCost;
    } else {
        values[slot].gain[static_cast<std::size_t>(band)] = 0.0;
    }
    return true;
}

} // namespace

bool BandPlacement::Greedy(FitModel& model, ContinuousFit& fit, const ParameterMap& map,
                           double maxQ, bool shelvesFirst, std::vector<BandValues>& values) {
    for (BandValues& bands : values) {
        std::fill(bands.gain.begin(), bands.gain.end(), 0.0);
    }
    double cost = 0.0;
    if (!fit.Cost(values, cost)) {
        return false;
    }
    for (std::size_t slot = 0; slot < values.size(); ++slot) {
        const int last = values[slot].Bands() - 1;
        const auto shelves = [&] {
            return PlaceShelf(model, fit, map, values, slot, 0, cost) &&
                   PlaceShelf(model, fit, map, values, slot, last, cost);
        };
        if (shelvesFirst && !shelves()) {
            return false;
        }
        for (int band = 1; band < last; ++band) {
            if (!PlacePeak(model, fit, map, maxQ, values, slot, band, cost)) {
                return false;
            }
        }
        if (!shelvesFirst && !shelves()) {
            return false;
        }
    }
    return true;
}

bool BandPlacement::PlaceShelf(FitModel& model, ContinuousFit& fit, const ParameterMap& map,
                               std::vector<BandValues>& values, std::size_t slot, int band,
                               double& cost) {
    constexpr int kCorners = 8;
    const std::vector<double>& frequencies = model.Response().Frequencies();
    const double low = frequencies.front();
    const double octaves = std::log2(frequencies.back() / low);
    const bool lowShelf = band == 0;
    const auto b = static_cast<std::size_t>(band);
    values[slot].gain[b] = 0.0;
    std::vector<std::vector<double>> curves;
    std::vector<double> error;
    if (!fit.Curves(values, curves)) {
        return false;
    }
    model.Errors(curves, error);
    std::vector<BandValues> best = values;
    double bestCost = cost;
    for (int k = 0; k < kCorners; ++k) {
        const double corner = low * std::exp2(octaves * (k + 0.5) / kCorners);
        // The gain that would level the error beyond the corner.
        double sum = 0.0;
        int count = 0;
        for (std::size_t i = 0; i < frequencies.size(); ++i) {
            if (lowShelf ? frequencies[i] < corner : frequencies[i] > corner) {
                sum += error[i];
                ++count;
            }
        }
        std::vector<BandValues> trial = values;
        trial[slot].frequency[b] = corner;
        trial[slot].gain[b] = count > 0 ? std::clamp(-sum / count, -12.0, 12.0) : 0.0;
        double trialCost = cost;
        if (!FitBand(fit, map, trial, slot, band, trialCost)) {
            return false;
        }
        if (trialCost < bestCost) {
            best = std::move(trial);
            bestCost = trialCost;
        }
    }
    values = std::move(best);
    cost = bestCost;
    return true;
}

bool BandPlacement::PlacePeak(FitModel& model, ContinuousFit& fit, const ParameterMap& map,
                              double maxQ, std::vector<BandValues>& values, std::size_t slot,
                              int band, double& cost) {
    const std::vector<double>& frequencies = model.Response().Frequencies();
    std::vector<std::vector<double>> curves;
    std::vector<double> error;
    values[slot].gain[static_cast<std::size_t>(band)] = 0.0;
    if (!fit.Curves(values, curves)) {
        return false;
    }
    model.Errors(curves, error);
    const std::vector<double> smoothed = Smoothed(frequencies, error);
    std::size_t peak = 0;
    for (std::size_t i = 1; i < smoothed.size(); ++i) {
        if (std::abs(smoothed[i]) > std::abs(smoothed[peak])) {
            peak = i;
        }
    }
    // The deviation's extent: where it keeps its sign and at least half its height.
    const double height = smoothed[peak];
    const auto aboveHalf = [&](std::size_t i) {
        return smoothed[i] * height > 0.5 * height * height;
    };
    std::size_t left = peak;
    while (left > 0 && aboveHalf(left - 1)) {
        --left;
    }
    std::size_t right = peak;
    while (right + 1 < smoothed.size() && aboveHalf(right + 1)) {
        ++right;
    }
    const double centre = frequencies[peak];
    double lower = frequencies[left];
    double upper = frequencies[right];
    if (left == 0 && right + 1 < smoothed.size()) {
        lower = centre * centre / upper;
    } else if (right + 1 == smoothed.size() && left > 0) {
        upper = centre * centre / lower;
    }
    BandValues& bands = values[slot];
    const auto b = static_cast<std::size_t>(band);
    bands.frequency[b] = centre;
    bands.gain[b] = std::clamp(-height, -12.0, 12.0);
    bands.q[b] = upper > lower ? ClampQ(centre / (upper - lower), maxQ) : maxQ;
    return FitBand(fit, map, values, slot, band, cost);
}

bool BandPlacement::Reseed(FitModel& model, ContinuousFit& fit, const ParameterMap& map,
                           double maxQ, int rounds, int iterations, std::vector<BandValues>& values,
                           double& cost) {
    constexpr std::size_t kTries = 3;
    for (int round = 0; round < rounds; ++round) {
        // The bands by what their loss would cost, least first.
        struct Loss {
            double loss;
            std::size_t slot;
            int band;
        };
        std::vector<Loss> losses;
        for (std::size_t slot = 0; slot < values.size(); ++slot) {
            for (int band = 0; band < values[slot].Bands(); ++band) {
                std::vector<BandValues> without = values;
                without[slot].gain[static_cast<std::size_t>(band)] = 0.0;
                double withoutCost = 0.0;
                if (!fit.Cost(without, withoutCost)) {
                    return false;
                }
                losses.push_back({withoutCost - cost, slot, band});
            }
        }
        std::stable_sort(losses.begin(), losses.end(),
                         [](const Loss& a, const Loss& b) { return a.loss < b.loss; });
        // Each of the weakest moved to where the error is largest now, then everything again;
        // the first move that helps is kept.
        bool moved = false;
        for (std::size_t k = 0; k < std::min(kTries, losses.size()) && !moved; ++k) {
            const Loss& weakest = losses[k];
            std::vector<BandValues> trial = values;
            double trialCost = cost + weakest.loss;
            const bool shelf = BandValues::IsShelf(values[weakest.slot].kind, weakest.band);
            if (!(shelf ? PlaceShelf(model, fit, map, trial, weakest.slot, weakest.band, trialCost)
                        : PlacePeak(model, fit, map, maxQ, trial, weakest.slot, weakest.band,
                                    trialCost)) ||
                !fit.Minimise(trial, trialCost, {}, iterations)) {
                return false;
            }
            if (trialCost < cost * (1.0 - 1e-6)) {
                values = std::move(trial);
                cost = trialCost;
                moved = true;
            }
        }
        if (!moved) {
            return true;
        }
    }
    return true;
}
