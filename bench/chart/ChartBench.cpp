// Redrawing the response chart: the equaliser pages' 1000-point curve in a 760 x 300 chart.
// Target: a full redraw in at most 2 ms (Release build).
#include "chart/CChartCtrl.h"
#include "chart/CChartLineSerie.h"
#include "chart/CChartStandardAxis.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

namespace {

struct EqualiserChart {
    CChartCtrl chart;
    std::vector<double> x;
    std::vector<double> y;

    EqualiserChart() {
        chart.resize(760, 300);
        chart.show();
        QApplication::processEvents();
        CChartStandardAxis* bottom = chart.AddAxis(ChartAxisPosition::Bottom);
        bottom->SetMinMax(0.0, 24000.0);
        bottom->GetLabel()->SetText(QStringLiteral("CF"));
        CChartStandardAxis* left = chart.AddAxis(ChartAxisPosition::Left);
        left->SetMinMax(-30.0, 30.0);
        left->GetLabel()->SetText(QStringLiteral("GAIN"));
        // Points as the pages compute them: 20 Hz up to half of 48000 Hz, logarithmically.
        const double step = std::log10(24000.0 / 20.0) / std::log10(2.0) / 1000.0;
        for (int i = 0; i < 1000; ++i) {
            const double frequency = 20.0 * std::pow(2.0, i * step);
            const double octaves = std::log2(frequency / 1000.0);
            x.push_back(frequency);
            y.push_back(12.0 * std::exp(-octaves * octaves) - 6.0 * std::sin(i / 40.0));
        }
        AddCurve();
    }

    void AddCurve() {
        chart.HoldRedraw();
        chart.RemoveAllSeries();
        CChartLineSerie* serie = chart.AddLineSerie();
        serie->SetPoints(x.data(), y.data(), x.size());
        serie->SetColor(QColor(255, 0, 0));
        serie->SetWidth(2);
        chart.ReleaseRedraw();
    }
};

void BM_FullRedraw(benchmark::State& state) {
    EqualiserChart setup;
    for (auto _ : state) {
        setup.chart.Redraw();
        benchmark::DoNotOptimize(setup.chart.GetImage().constBits());
    }
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMicrosecond);

// What a page's "draw curve" costs the chart: remove, add, set points, colour, width, one draw.
void BM_ReplaceCurve(benchmark::State& state) {
    EqualiserChart setup;
    for (auto _ : state) {
        setup.AddCurve();
        benchmark::DoNotOptimize(setup.chart.GetImage().constBits());
    }
}
BENCHMARK(BM_ReplaceCurve)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
