#include "fit/EqualiserFitter.h"

#include "fit/FitRun.h"
#include "params/DeviceSteps.h"
#include "params/ToolLibrary.h"

#include <algorithm>
#include <numeric>

namespace {

// The share of the progress that fitting the ten-band equaliser alone takes before both are
// fitted together.
constexpr double kAloneShare = 0.35;

FitResult Failed(FitStatus status, int64_t evaluations = 0) {
    FitResult result;
    result.status = status;
    result.evaluations = evaluations;
    return result;
}

FitStatus Failure(ChainStatus status) {
    return status == ChainStatus::LibraryMissing ? FitStatus::LibraryMissing
                                                 : FitStatus::BadSampleRate;
}

// The error over every measured point of the request with these bands in the fitted equalisers,
// which count as switched on. False when the chain cannot be computed.
bool ErrorOf(const ChainResponse& chain, const FitRequest& request,
             const std::vector<EqualiserBands>& bands, double& rms) {
    ParameterSet set = request.parameters;
    for (const EqualiserBands& band : bands) {
        band.StoreInto(set, request.channel);
        (band.kind == EqualiserKind::TenBand ? set.EQSwtch : set.EQSwtch1) = true;
    }
    std::vector<double> chainOnGrid;
    if (chain.Chain(set, request.channel, request.response.Grid(), chainOnGrid) !=
        ChainStatus::Ok) {
        return false;
    }
    rms = request.response.RmsOnGrid(chainOnGrid);
    return true;
}

// The peaking bands of each equaliser in frequency order (the response does not depend on it).
void SortPeaks(std::vector<BandSteps>& slots) {
    for (BandSteps& steps : slots) {
        std::vector<std::size_t> order(static_cast<std::size_t>(steps.Bands() - 2));
        std::iota(order.begin(), order.end(), std::size_t{1});
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return steps.frequency[a] < steps.frequency[b];
        });
        const BandSteps unsorted = steps;
        for (std::size_t i = 0; i < order.size(); ++i) {
            steps.gain[i + 1] = unsorted.gain[order[i]];
            steps.frequency[i + 1] = unsorted.frequency[order[i]];
            steps.qTenths[i + 1] = unsorted.qTenths[order[i]];
        }
    }
}

} // namespace

EqualiserFitter::EqualiserFitter(const ToolLibrary& library) : chain_(library) {}

FitResult EqualiserFitter::Fit(const FitRequest& request, const FitProgress& progress,
                               const std::atomic<bool>* cancel) const {
    const ParameterSet& set = request.parameters;
    if (DeviceSteps::MaxFrequency(set.SWFS) < DeviceSteps::kMinFrequency ||
        request.response.Grid().sampleRate != set.SWFS || request.response.Size() == 0) {
        return Failed(FitStatus::BadSampleRate);
    }
    std::vector<EqualiserKind> slots;
    if (request.equalisers != FitEqualisers::EightBand) {
        slots.push_back(EqualiserKind::TenBand);
    }
    if (request.equalisers != FitEqualisers::TenBand) {
        slots.push_back(EqualiserKind::EightBand);
    }
    std::vector<float> probe;
    for (const EqualiserKind kind : slots) {
        std::vector<float> record(static_cast<std::size_t>(EqualiserBands::RecordFloats(kind)));
        if (chain_.Record(kind, record, DesignGrid::Display(set.SWFS), probe) ==
            ChainStatus::LibraryMissing) {
            return Failed(FitStatus::LibraryMissing);
        }
    }

    FitControl control(progress, cancel);
    int64_t evaluations = 0;
    std::vector<std::vector<BandValues>> extraStarts;
    std::vector<std::vector<BandSteps>> extraCandidates;
    double from = 0.0;
    if (slots.size() == 2) {
        // The ten-band equaliser alone first: a start and a candidate for the joint fit, which
        // so is never worse.
        FitRun alone(chain_, request, {EqualiserKind::TenBand}, control);
        FitOutcome first;
        if (const ChainStatus status = alone.Prepare(); status != ChainStatus::Ok) {
            return Failed(Failure(status));
        }
        if (!alone.Run({}, {}, 0.0, kAloneShare, first)) {
            return Failed(FitStatus::Cancelled, alone.Evaluations());
        }
        evaluations += alone.Evaluations();
        from = kAloneShare;
        const BandValues eightBand =
            BandValues::From(EqualiserBands::Of(set, EqualiserKind::EightBand, request.channel));
        extraStarts.push_back({first.continuous.front(), eightBand});
        extraCandidates.push_back(
            {first.steps.front(), BandSteps::Round(eightBand, set.SWFS, kMaxQTenths)});
    }

    FitRun run(chain_, request, slots, control);
    if (const ChainStatus status = run.Prepare(); status != ChainStatus::Ok) {
        return Failed(Failure(status));
    }
    FitOutcome outcome;
    if (!run.Run(extraStarts, extraCandidates, from, 1.0, outcome)) {
        return Failed(FitStatus::Cancelled, evaluations + run.Evaluations());
    }
    SortPeaks(outcome.steps);
    FitResult result;
    std::vector<EqualiserBands> current;
    std::vector<EqualiserBands> chosen;
    for (const BandSteps& steps : outcome.steps) {
        current.push_back(EqualiserBands::Of(set, steps.kind, request.channel));
        chosen.push_back(steps.ToBands());
        (steps.kind == EqualiserKind::TenBand ? result.tenBand : result.eightBand) = chosen.back();
    }
    if (!ErrorOf(chain_, request, current, result.rmsBefore) ||
        !ErrorOf(chain_, request, chosen, result.rmsAfter)) {
        return Failed(FitStatus::LibraryMissing);
    }
    result.evaluations = evaluations + run.Evaluations();
    result.rmsContinuous = run.Model().Rms(outcome.continuousCost);
    control.Finish();
    return result;
}
