#include "fit/LatticeSearch.h"

#include "params/DeviceSteps.h"

#include <algorithm>
#include <cmath>

bool LatticeSearch::Cost(const std::vector<BandSteps>& steps, double& cost) {
    std::vector<std::vector<double>> curves(steps.size());
    for (std::size_t slot = 0; slot < steps.size(); ++slot) {
        if (!model_.Curve(slot, steps[slot].Values(), curves[slot])) {
            return false;
        }
    }
    cost = model_.Cost(curves);
    return true;
}

std::vector<LatticeSearch::Move> LatticeSearch::Moves(const std::vector<BandSteps>& steps) const {
    std::vector<Move> moves;
    for (std::size_t slot = 0; slot < steps.size(); ++slot) {
        const BandSteps& bands = steps[slot];
        for (int band = 0; band < bands.Bands(); ++band) {
            const bool peak = !BandValues::IsShelf(bands.kind, band);
            for (const int gain : {-1, 1}) {
                moves.push_back({slot, band, gain, 0, 0, 0});
            }
            if (peak) {
                for (const int q : {-1, 1}) {
                    moves.push_back({slot, band, 0, 0, q, 0});
                }
            }
            const int32_t frequency = bands.frequency[static_cast<std::size_t>(band)];
            std::vector<int> shifts;
            for (const double share : {0.005, 0.025}) {
                const int shift = std::max(1, static_cast<int>(std::lround(frequency * share)));
                if (std::find(shifts.begin(), shifts.end(), shift) == shifts.end()) {
                    shifts.push_back(shift);
                }
            }
            for (const int shift : shifts) {
                moves.push_back({slot, band, 0, -shift, 0, 0});
                moves.push_back({slot, band, 0, shift, 0, 0});
            }
            if (peak) {
                for (const int gain : {-1, 1}) {
                    for (const int q : {-1, 1}) {
                        moves.push_back({slot, band, gain, 0, q, 0});
                    }
                }
            }
            if (band + 1 < bands.Bands()) {
                moves.push_back({slot, band, -1, 0, 0, 1});
                moves.push_back({slot, band, 1, 0, 0, -1});
            }
        }
    }
    return moves;
}

bool LatticeSearch::Apply(const Move& move, std::vector<BandSteps>& steps) const {
    BandSteps& bands = steps[move.slot];
    const auto b = static_cast<std::size_t>(move.band);
    const int32_t gain = bands.gain[b] + move.gain;
    const int32_t frequency = bands.frequency[b] + move.frequency;
    const int32_t q = bands.qTenths[b] + move.q;
    if (!DeviceSteps::GainOk(gain) || !DeviceSteps::FrequencyOk(frequency, model_.SampleRate())) {
        return false;
    }
    if (move.q != 0 && (q < DeviceSteps::kMinQTenths || q > maxQTenths_)) {
        return false;
    }
    if (move.neighbourGain != 0) {
        const int32_t neighbour = bands.gain[b + 1] + move.neighbourGain;
        if (!DeviceSteps::GainOk(neighbour)) {
            return false;
        }
        bands.gain[b + 1] = neighbour;
    }
    bands.gain[b] = gain;
    bands.frequency[b] = frequency;
    bands.qTenths[b] = q;
    return true;
}

bool LatticeSearch::Descend(std::vector<BandSteps>& steps, double& cost, int maxRounds,
                            const std::function<void(double)>& progress) {
    std::vector<std::vector<double>> curves(steps.size());
    for (std::size_t slot = 0; slot < steps.size(); ++slot) {
        if (!model_.Curve(slot, steps[slot].Values(), curves[slot])) {
            return false;
        }
    }
    cost = model_.Cost(curves);
    std::vector<double> saved;
    for (int round = 0; round < maxRounds; ++round) {
        bool improved = false;
        // The moves are worked out afresh each round: the frequency shifts follow the frequency.
        for (const Move& move : Moves(steps)) {
            std::vector<BandSteps> trial = steps;
            if (!Apply(move, trial)) {
                continue;
            }
            saved.swap(curves[move.slot]);
            if (!model_.Curve(move.slot, trial[move.slot].Values(), curves[move.slot])) {
                curves[move.slot].swap(saved);
                return false;
            }
            const double trialCost = model_.Cost(curves);
            if (trialCost < cost * (1.0 - 1e-12)) {
                steps = std::move(trial);
                cost = trialCost;
                improved = true;
            } else {
                curves[move.slot].swap(saved);
            }
        }
        if (progress) {
            progress(static_cast<double>(round + 1) / maxRounds);
        }
        if (!improved) {
            break;
        }
    }
    return true;
}
