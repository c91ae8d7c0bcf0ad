// The fit of a 1000-point loudspeaker measurement (20 Hz to 20 kHz, 0.5 dB of noise) to a flat
// target: the ten-band equaliser alone, and both equalisers. Targets on this machine (Release):
// below 1 s for the ten-band equaliser and 3 s for both.

#include "SyntheticResponse.h"

#include "fit/EqualiserFitter.h"
#include "params/ToolLibrary.h"
#include "base/NumberText.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>

namespace {

const ToolLibrary& Library() {
    static ToolLibrary library;
    static const bool loaded = [] {
        return library.Load(NumberText::Widen(SONVEX_BIN_DIR) + u"/") == ToolLoadResult::Ok;
    }();
    if (!loaded) {
        std::cerr << "cannot load libTool.so from " << SONVEX_BIN_DIR << "\n";
        std::exit(1);
    }
    return library;
}

void Fit(benchmark::State& state, FitEqualisers equalisers) {
    const ParameterSet set = SyntheticResponse::Configuration();
    FitRequest request;
    request.parameters = set;
    request.equalisers = equalisers;
    AlignedResponse::Align(
        SyntheticResponse::Speaker(static_cast<uint32_t>(state.range(0)), 0.5, 1000),
        TargetCurve::Flat(), FitRange{}, set.SWFS, request.response);
    const EqualiserFitter fitter(Library());
    FitResult result;
    for (auto _ : state) {
        result = fitter.Fit(request);
        benchmark::DoNotOptimize(result);
    }
    state.counters["rms_db"] = result.rmsAfter;
    state.counters["library_calls"] = static_cast<double>(result.evaluations);
}

void BM_FitTenBand(benchmark::State& state) {
    Fit(state, FitEqualisers::TenBand);
}

void BM_FitBothEqualisers(benchmark::State& state) {
    Fit(state, FitEqualisers::Both);
}

// Three loudspeakers each.
BENCHMARK(BM_FitTenBand)->DenseRange(1, 3)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FitBothEqualisers)->DenseRange(1, 3)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
