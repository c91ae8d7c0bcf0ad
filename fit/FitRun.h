#pragma once

#include "fit/BandSteps.h"
#include "fit/BandValues.h"
#include "fit/ContinuousFit.h"
#include "fit/FitControl.h"
#include "fit/FitModel.h"
#include "fit/FitRequest.h"
#include "fit/LatticeSearch.h"
#include "fit/ParameterMap.h"

#include <cstdint>
#include <vector>

// What one run of the search found: the best point on the device's lattice and the best
// continuous minimum, one entry per slot, with their costs.
struct FitOutcome {
    std::vector<BandSteps> steps;
    double cost = 0.0;
    std::vector<BandValues> continuous;
    double continuousCost = 0.0;
};

// The search for one set of slots (the ten-band equaliser, the eight-band one, or both), on the
// measured points merged to at most one per 1/128 octave (AlignedResponse::Thinned; a measurement
// from a Fourier transform has thousands per octave at the top):
//
// 1. continuous minima by Levenberg-Marquardt on a coarse design grid (a third of the points)
//    from five starts: the current bands, greedy placement with the shelves first and last,
//    matching pursuit, and sliding matching pursuit (BandPlacement), plus any extra starts;
// 2. the best three minima reseeded (BandPlacement::Reseed);
// 3. the best two polished on the full grid, each rounded to the device's steps and searched on
//    the lattice (LatticeSearch), unless it is far behind the best;
// 4. the best lattice point, or a candidate given from outside or the current bands (when they
//    are on the device's steps) where that is better.
class FitRun {
public:
    FitRun(const ChainResponse& chain, const FitRequest& request, std::vector<EqualiserKind> slots,
           FitControl& control);

    // Anything but Ok leaves the run unusable.
    ChainStatus Prepare();
    const FitModel& Model() const { return full_; }
    int64_t Evaluations() const { return coarse_.Evaluations() + full_.Evaluations(); }

    // The whole search, reporting progress from `from` to `to`. False when cancelled.
    bool Run(const std::vector<std::vector<BandValues>>& extraStarts,
             const std::vector<std::vector<BandSteps>>& extraCandidates, double from, double to,
             FitOutcome& outcome);

private:
    enum class Placement { None, ShelvesFirst, ShelvesLast, Pursuit, SlidingPursuit };

    bool Place(Placement placement, std::vector<BandValues>& values);
    bool Minima(const std::vector<std::vector<BandValues>>& extraStarts, double from, double to,
                std::vector<std::vector<BandValues>>& minima);
    bool Lattice(const std::vector<std::vector<BandValues>>& minima, double from, double to,
                 FitOutcome& outcome);
    std::vector<std::vector<BandSteps>>
    Candidates(const std::vector<std::vector<BandSteps>>& extra) const;

    const FitRequest& request_;
    AlignedResponse thinned_;
    FitModel coarse_;
    FitModel full_;
    ParameterMap map_;
    ContinuousFit coarseFit_;
    ContinuousFit fullFit_;
    LatticeSearch lattice_;
    std::vector<BandValues> raw_;     // the current bands as they are
    std::vector<BandValues> current_; // the same within the fit's bounds
};
