#pragma once

#include "fit/BandSteps.h"
#include "fit/FitModel.h"

#include <cstdint>
#include <functional>
#include <vector>

// The search of the device's lattice (whole dB, whole Hz, Q in tenths) around a point: descent
// over neighbouring steps until none improves. The moves of a band, tried in a fixed order: gain
// +-1 dB; Q +-0.1; frequency +-0.5 % and +-2.5 % (at least 1 Hz each); gain and Q
// together; and the gains of two neighbouring bands in opposite directions. The first move that
// lowers the cost is taken, and the scan goes on from the next one; it ends after a full round of
// moves without a gain. Only the slot whose band moves is recomputed.
class LatticeSearch {
public:
    LatticeSearch(FitModel& model, int32_t maxQTenths) : model_(model), maxQTenths_(maxQTenths) {}

    // The cost of steps. False when cancelled.
    bool Cost(const std::vector<BandSteps>& steps, double& cost);
    // Descends from steps (one per slot), at most maxRounds rounds. progress receives the share of
    // maxRounds done. False when cancelled; steps and cost then hold the best point so far.
    bool Descend(std::vector<BandSteps>& steps, double& cost, int maxRounds,
                 const std::function<void(double)>& progress = {});

private:
    struct Move {
        std::size_t slot;
        int band;
        int gain;
        int frequency;
        int q;
        int neighbourGain; // on band + 1
    };

    std::vector<Move> Moves(const std::vector<BandSteps>& steps) const;
    // Applies move to steps; false when it leaves the device's range.
    bool Apply(const Move& move, std::vector<BandSteps>& steps) const;

    FitModel& model_;
    int32_t maxQTenths_;
};
