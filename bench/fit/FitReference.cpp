// The fit beside a reference least-squares fit rounded to the device's steps, on synthesised
// measurements: loudspeakers with 0.5 dB of noise, and responses that a setting of the bands
// exactly corrects. The reference is the best continuous minimum from the fitter's own starts
// and from random ones, each value then rounded to its step; the fit must do at least as well,
// keep every band within the device's steps, and reach 0.3 dB where an exact correction exists.
// Prints one line per case and a summary; exits 1 when a case fails.

#include "SyntheticResponse.h"

#include "fit/BandPlacement.h"
#include "fit/BandSteps.h"
#include "fit/ContinuousFit.h"
#include "fit/EqualiserFitter.h"
#include "fit/FitModel.h"
#include "fit/LatticeSearch.h"
#include "fit/ParameterMap.h"
#include "params/DeviceSteps.h"
#include "params/ToolLibrary.h"
#include "base/NumberText.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>

namespace {

constexpr double kExactLimit = 0.3; // dB

std::vector<EqualiserKind> Slots(FitEqualisers equalisers) {
    switch (equalisers) {
    case FitEqualisers::TenBand:
        return {EqualiserKind::TenBand};
    case FitEqualisers::EightBand:
        return {EqualiserKind::EightBand};
    case FitEqualisers::Both:
        break;
    }
    return {EqualiserKind::TenBand, EqualiserKind::EightBand};
}

// The reference: multi-start continuous least squares, then plain rounding.
double ReferenceRms(const ChainResponse& chain, const FitRequest& request, double& continuous) {
    FitControl control({}, nullptr);
    const std::vector<EqualiserKind> slots = Slots(request.equalisers);
    FitModel model(chain, request, request.response, slots, control);
    model.Prepare();
    const ParameterMap map(slots, request.parameters.SWFS, EqualiserFitter::kMaxQ);
    ContinuousFit fit(model, map);

    std::vector<std::vector<BandValues>> starts;
    std::vector<BandValues> current;
    for (const EqualiserKind kind : slots) {
        current.push_back(
            BandValues::From(EqualiserBands::Of(request.parameters, kind, request.channel)));
    }
    starts.push_back(current);
    std::vector<BandValues> greedy = current;
    BandPlacement::Greedy(model, fit, map, EqualiserFitter::kMaxQ, true, greedy);
    starts.push_back(greedy);
    std::mt19937 random(7);
    for (int i = 0; i < 4; ++i) {
        std::vector<double> x(map.Size());
        for (std::size_t k = 0; k < x.size(); ++k) {
            x[k] = std::uniform_real_distribution<double>(map.Lower()[k], map.Upper()[k])(random);
            if (map.At(k).role == ParameterMap::Role::Frequency) {
                x[k] = std::uniform_real_distribution<double>(std::log(25.0),
                                                              std::log(18000.0))(random);
            }
        }
        std::vector<BandValues> start = current;
        map.FromVector(x, start);
        starts.push_back(start);
    }
    double best = -1.0;
    std::vector<BandValues> bestValues;
    for (std::vector<BandValues>& start : starts) {
        double cost = 0.0;
        fit.Minimise(start, cost, {}, 200);
        if (best < 0.0 || cost < best) {
            best = cost;
            bestValues = start;
        }
    }
    continuous = model.Rms(best);
    std::vector<BandSteps> rounded;
    for (const BandValues& values : bestValues) {
        rounded.push_back(
            BandSteps::Round(values, request.parameters.SWFS, EqualiserFitter::kMaxQTenths));
    }
    LatticeSearch lattice(model, EqualiserFitter::kMaxQTenths);
    double cost = 0.0;
    lattice.Cost(rounded, cost);
    return model.Rms(cost);
}

bool WithinSteps(const EqualiserBands& bands, int32_t sampleRate) {
    BandSteps steps;
    return BandSteps::Exactly(bands, sampleRate, steps);
}

struct Totals {
    int cases = 0;
    int failures = 0;
    double oursSum = 0.0;
    double referenceSum = 0.0;
    double slowest = 0.0;
};

void RunCase(const std::string& name, const ToolLibrary& library, const FitRequest& request,
             bool exact, Totals& totals) {
    const ChainResponse chain(library);
    const EqualiserFitter fitter(library);
    const std::clock_t begin = std::clock();
    const FitResult result = fitter.Fit(request);
    const double seconds = static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC;
    double continuous = 0.0;
    const double reference = ReferenceRms(chain, request, continuous);

    bool ok = result.Ok();
    for (const auto* bands : {&result.tenBand, &result.eightBand}) {
        ok = ok && (!bands->has_value() || WithinSteps(**bands, request.parameters.SWFS));
    }
    ok = ok && result.rmsAfter <= reference + 1e-9 && (!exact || result.rmsAfter <= kExactLimit);
    std::printf("%-24s before %6.3f  fit %6.3f  reference rounded %6.3f (continuous %6.3f)  "
                "%5.2f s CPU  %6lld calls  %s\n",
                name.c_str(), result.rmsBefore, result.rmsAfter, reference, continuous, seconds,
                static_cast<long long>(result.evaluations), ok ? "ok" : "FAILED");
    ++totals.cases;
    totals.failures += ok ? 0 : 1;
    totals.oursSum += result.rmsAfter;
    totals.referenceSum += reference;
    totals.slowest = std::max(totals.slowest, seconds);
}

FitRequest Request(const ParameterSet& set, const MeasuredResponse& measurement,
                   FitEqualisers equalisers) {
    FitRequest request;
    request.parameters = set;
    request.equalisers = equalisers;
    AlignedResponse::Align(measurement, TargetCurve::Flat(), FitRange{}, set.SWFS,
                           request.response);
    return request;
}

} // namespace

// The argument: how many loudspeakers and how many exact cases (8 each by default).
int main(int argc, char** argv) {
    const int speakers = argc > 1 ? std::atoi(argv[1]) : 8;
    ToolLibrary library;
    if (library.Load(NumberText::Widen(SONVEX_BIN_DIR) + u"/") != ToolLoadResult::Ok) {
        std::fprintf(stderr, "cannot load libTool.so from %s\n", SONVEX_BIN_DIR);
        return 1;
    }
    const ChainResponse chain(library);
    const ParameterSet set = SyntheticResponse::Configuration();
    Totals totals;
    for (int seed = 1; seed <= speakers; ++seed) {
        const MeasuredResponse speaker =
            SyntheticResponse::Speaker(static_cast<uint32_t>(seed), 0.5, 1000);
        for (const auto& [equalisers, label] :
             {std::pair{FitEqualisers::TenBand, "ten"}, std::pair{FitEqualisers::Both, "both"}}) {
            RunCase("speaker " + std::to_string(seed) + " " + label, library,
                    Request(set, speaker, equalisers), false, totals);
        }
    }
    std::mt19937 random(2024);
    for (int seed = 1; seed <= speakers; ++seed) {
        ParameterSet truth = set;
        SyntheticResponse::RandomBands(EqualiserKind::TenBand, random).StoreInto(truth, 0);
        const bool both = seed % 2 == 0;
        if (both) {
            SyntheticResponse::RandomBands(EqualiserKind::EightBand, random).StoreInto(truth, 0);
        }
        const MeasuredResponse measurement =
            SyntheticResponse::Correctable(chain, truth, 0.0, 1000);
        RunCase("exact " + std::to_string(seed) + (both ? " both" : " ten"), library,
                Request(set, measurement, both ? FitEqualisers::Both : FitEqualisers::TenBand),
                true, totals);
    }
    std::printf("\n%d cases, %d failed; mean RMS fit %.3f dB, reference %.3f dB; slowest %.2f s\n",
                totals.cases, totals.failures, totals.oursSum / totals.cases,
                totals.referenceSum / totals.cases, totals.slowest);
    return totals.failures == 0 ? 0 : 1;
}
