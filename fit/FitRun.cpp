#include "fit/FitRun.h"

#include "fit/BandPlacement.h"
#include "fit/EqualiserFitter.h"
#include "fit/MatchingPursuit.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kContinuousIterations = 60;
constexpr int kReseedRounds = 10;
constexpr int kReseedIterations = 30;
// How many of the best continuous minima are reseeded.
constexpr std::size_t kReseeded = 3;
constexpr int kPolishIterations = 20;
constexpr int kLatticeRounds = 40;
// The rough stages (the starts and the reseeding) work on a design grid with a third of the
// points: close enough to find the basin of a minimum, at a third of the cost.
constexpr int32_t kCoarseDivisor = 3;
// The measured points closer than this are merged for the search. The pages' grid has a point
// every hundredth of an octave, so a measurement on it is left as it is.
constexpr double kThinnedOctaves = 1.0 / 128.0;
// How many continuous minima are polished on the full grid and searched on the lattice; a
// minimum whose cost is more than kLatticeSpread times the best one's is not searched.
constexpr std::size_t kLatticeStarts = 2;
constexpr double kLatticeSpread = 1.5;
// The shares of a run's progress: starts, reseeding, polishing; the lattice has the rest.
constexpr double kStartsShare = 0.45;
constexpr double kReseedShare = 0.15;
constexpr double kPolishShare = 0.1;

} // namespace

FitRun::FitRun(const ChainResponse& chain, const FitRequest& request,
               std::vector<EqualiserKind> slots, FitControl& control)
    : request_(request), thinned_(request.response.Thinned(kThinnedOctaves)),
      coarse_(chain, request, thinned_, slots, control, kCoarseDivisor),
      full_(chain, request, thinned_, slots, control),
      map_(slots, request.parameters.SWFS, EqualiserFitter::kMaxQ), coarseFit_(coarse_, map_),
      fullFit_(full_, map_), lattice_(full_, EqualiserFitter::kMaxQTenths) {
    for (const EqualiserKind kind : slots) {
        raw_.push_back(
            BandValues::From(EqualiserBands::Of(request.parameters, kind, request.channel)));
    }
    // As a start, within the fit's bounds (a Q of 0 from an incomplete configuration would make
    // the library's curves NaN).
    current_ = raw_;
    map_.FromVector(map_.ToVector(raw_), current_);
}

ChainStatus FitRun::Prepare() {
    const ChainStatus status = coarse_.Prepare();
    return status == ChainStatus::Ok ? full_.Prepare() : status;
}

bool FitRun::Place(Placement placement, std::vector<BandValues>& values) {
    const double maxQ = EqualiserFitter::kMaxQ;
    switch (placement) {
    case Placement::None:
        return true;
    case Placement::ShelvesFirst:
    case Placement::ShelvesLast:
        return BandPlacement::Greedy(coarse_, coarseFit_, map_, maxQ,
                                     placement == Placement::ShelvesFirst, values);
    case Placement::Pursuit:
        return MatchingPursuit::Plain(coarse_, coarseFit_, maxQ, values);
    case Placement::SlidingPursuit:
        return MatchingPursuit::Sliding(coarse_, coarseFit_, map_, maxQ, values);
    }
    return true;
}

// The continuous minima on the coarse grid from every start, best first, the best of them
// reseeded.
bool FitRun::Minima(const std::vector<std::vector<BandValues>>& extraStarts, double from, double to,
                    std::vector<std::vector<BandValues>>& minima) {
    std::vector<std::pair<std::vector<BandValues>, Placement>> starts{
        {current_, Placement::None},
        {current_, Placement::ShelvesFirst},
        {current_, Placement::ShelvesLast},
        {current_, Placement::Pursuit},
        {current_, Placement::SlidingPursuit}};
    for (const std::vector<BandValues>& extra : extraStarts) {
        starts.emplace_back(extra, Placement::None);
    }
    FitControl& control = coarse_.Control();
    const auto progress = [&control](double done) { control.Report(done); };
    const double startsEnd = from + (to - from) * kStartsShare / (kStartsShare + kReseedShare);
    const double share = (startsEnd - from) / static_cast<double>(starts.size());
    std::vector<std::pair<double, std::vector<BandValues>>> found;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const double begin = from + share * static_cast<double>(i);
        control.Stage(begin, begin + share);
        std::vector<BandValues> values = starts[i].first;
        double cost = 0.0;
        if (!Place(starts[i].second, values) ||
            !coarseFit_.Minimise(values, cost, {}, kContinuousIterations, progress)) {
            return false;
        }
        found.emplace_back(cost, std::move(values));
    }
    const auto byCost = [](const auto& a, const auto& b) { return a.first < b.first; };
    std::stable_sort(found.begin(), found.end(), byCost);
    const std::size_t reseeded = std::min(kReseeded, found.size());
    const double reseedShare = (to - startsEnd) / static_cast<double>(reseeded);
    for (std::size_t k = 0; k < reseeded; ++k) {
        control.Stage(startsEnd + reseedShare * static_cast<double>(k),
                      startsEnd + reseedShare * static_cast<double>(k + 1));
        if (!BandPlacement::Reseed(coarse_, coarseFit_, map_, EqualiserFitter::kMaxQ, kReseedRounds,
                                   kReseedIterations, found[k].second, found[k].first)) {
            return false;
        }
    }
    std::stable_sort(found.begin(), found.end(), byCost);
    minima.clear();
    for (auto& entry : found) {
        minima.push_back(std::move(entry.second));
    }
    return true;
}

// The best minima polished on the full grid, then the lattice searched from each.
bool FitRun::Lattice(const std::vector<std::vector<BandValues>>& minima, double from, double to,
                     FitOutcome& outcome) {
    FitControl& control = full_.Control();
    const auto progress = [&control](double done) { control.Report(done); };
    const std::size_t searches = std::min(kLatticeStarts, minima.size());
    const double polishEnd =
        from + (to - from) * kPolishShare / (1.0 - kStartsShare - kReseedShare);
    const double polishShare = (polishEnd - from) / static_cast<double>(searches);
    const double latticeShare = (to - polishEnd) / static_cast<double>(searches);
    for (std::size_t k = 0; k < searches; ++k) {
        control.Stage(from + polishShare * static_cast<double>(k),
                      from + polishShare * static_cast<double>(k + 1));
        std::vector<BandValues> values = minima[k];
        double continuous = 0.0;
        if (!fullFit_.Minimise(values, continuous, {}, kPolishIterations, progress)) {
            return false;
        }
        if (k == 0 || continuous < outcome.continuousCost) {
            outcome.continuous = values;
            outcome.continuousCost = continuous;
        } else if (continuous > kLatticeSpread * outcome.continuousCost) {
            break; // too far behind the best to win on the lattice
        }
        control.Stage(polishEnd + latticeShare * static_cast<double>(k),
                      polishEnd + latticeShare * static_cast<double>(k + 1));
        std::vector<BandSteps> steps;
        for (const BandValues& bands : values) {
            steps.push_back(
                BandSteps::Round(bands, request_.parameters.SWFS, EqualiserFitter::kMaxQTenths));
        }
        double cost = 0.0;
        if (!lattice_.Descend(steps, cost, kLatticeRounds, progress)) {
            return false;
        }
        if (k == 0 || cost < outcome.cost) {
            outcome.steps = std::move(steps);
            outcome.cost = cost;
        }
    }
    return true;
}

std::vector<std::vector<BandSteps>>
FitRun::Candidates(const std::vector<std::vector<BandSteps>>& extra) const {
    std::vector<std::vector<BandSteps>> candidates = extra;
    // The current bands, when the device could run them as they are.
    std::vector<BandSteps> exact;
    for (std::size_t slot = 0; slot < full_.Slots(); ++slot) {
        BandSteps steps;
        if (!BandSteps::Exactly(
                EqualiserBands::Of(request_.parameters, full_.Kind(slot), request_.channel),
                request_.parameters.SWFS, steps)) {
            return candidates;
        }
        exact.push_back(std::move(steps));
    }
    candidates.push_back(std::move(exact));
    return candidates;
}

bool FitRun::Run(const std::vector<std::vector<BandValues>>& extraStarts,
                 const std::vector<std::vector<BandSteps>>& extraCandidates, double from, double to,
                 FitOutcome& outcome) {
    const double minimaEnd = from + (to - from) * (kStartsShare + kReseedShare);
    std::vector<std::vector<BandValues>> minima;
    if (!Minima(extraStarts, from, minimaEnd, minima) || !Lattice(minima, minimaEnd, to, outcome)) {
        return false;
    }
    for (const std::vector<BandSteps>& candidate : Candidates(extraCandidates)) {
        double cost = 0.0;
        if (!lattice_.Cost(candidate, cost)) {
            return false;
        }
        if (cost < outcome.cost) {
            outcome.steps = candidate;
            outcome.cost = cost;
        }
    }
    return true;
}
