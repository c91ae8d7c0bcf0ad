// The filter design library as the equaliser pages call it on every redraw: one record, 1000
// points from 20 Hz at 48 kHz; and the design alone, as the parameter file writer needs it.
// Target: EQ10Product with 1000 points in at most 40 microseconds (Release build).

#include "base/NumberText.h"
#include "params/ToolLibrary.h"
#include "tool/PointKernels.h"
#include "tool/ResponseCurve.h"
#include "tool/SectionDesign.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <iostream>
#include <vector>

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

// A typical tuning: every band in use.
std::array<float, 78> TenBandRecord() {
    std::array<float, 78> record{};
    const float gains[10] = {4, -3, 2.5f, -6, 1, 3, -2, 5, -1, 2};
    const float frequencies[10] = {80, 120, 250, 500, 1000, 2000, 4000, 8000, 12000, 14000};
    for (int i = 0; i < 10; ++i) {
        record[i] = gains[i];
        record[10 + i] = frequencies[i];
    }
    for (int i = 0; i < 8; ++i) {
        record[20 + i] = 0.7f + 0.4f * static_cast<float>(i);
    }
    return record;
}

std::array<float, 62> EightBandRecord() {
    std::array<float, 62> record{};
    const float gains[8] = {3, -2, 4, -5, 2, 1, -3, 2};
    const float frequencies[8] = {100, 200, 500, 1000, 3000, 6000, 10000, 12000};
    for (int i = 0; i < 8; ++i) {
        record[i] = gains[i];
        record[8 + i] = frequencies[i];
    }
    for (int i = 0; i < 6; ++i) {
        record[16 + i] = 1.0f + 0.5f * static_cast<float>(i);
    }
    return record;
}

template <std::size_t N>
void Run(benchmark::State& state, EqProductFunction function, std::array<float, N> record) {
    const int32_t points = static_cast<int32_t>(state.range(0));
    std::vector<float> curve(static_cast<std::size_t>(points > 0 ? points : 1));
    for (auto _ : state) {
        function(record.data(), curve.data(), 48000, 20.0f, points);
        benchmark::DoNotOptimize(record.data());
        benchmark::DoNotOptimize(curve.data());
        benchmark::ClobberMemory();
    }
}

void BM_EQ10Product(benchmark::State& state) {
    Run(state, Library().Eq10(), TenBandRecord());
}

void BM_EQ8Product(benchmark::State& state) {
    Run(state, Library().Eq8(), EightBandRecord());
}

// The ten-band response alone (1000 points) with each set of kernels: 0 scalar reference,
// 1 SSE2, 2 AVX2 (skipped where the processor lacks it).
void BM_TenBandResponse(benchmark::State& state) {
    using namespace sonvex_tool;
    const PointKernels* sets[] = {&ScalarKernels(), Sse2Kernels(), Avx2Kernels()};
    const PointKernels* kernels = sets[state.range(0)];
    if (kernels == nullptr) {
        state.SkipWithError("not available on this processor");
        return;
    }
    const std::array<float, 78> record = TenBandRecord();
    DirectForm sections[10];
    for (int band = 0; band < 10; ++band) {
        const float g = LinearGain(record[band]);
        const float f = record[10 + band];
        if (band == 0 || band == 9) {
            sections[band] =
                DesignShelf(g, band == 0 ? Angle(f, 48000) : MirroredAngle(f, 48000), band == 9);
        } else {
            const float w = Angle(f, 48000);
            sections[band] = DesignPeaking(g, w, w / record[19 + band]);
        }
    }
    std::vector<float> curve(1000);
    for (auto _ : state) {
        EvaluateResponse(Cascade{sections, 8}, 48000, 20.0f, 1000, curve.data(), *kernels);
        benchmark::DoNotOptimize(curve.data());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_EQ10Product)->Arg(1000)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EQ8Product)->Arg(1000)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TenBandResponse)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
