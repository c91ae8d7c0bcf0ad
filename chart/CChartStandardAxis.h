#pragma once

#include "chart/CChartAxis.h"

// The linear axis: ticks at round multiples of 1, 2 or 5 times a power of ten, about one per 30
// pixels along a horizontal axis and one per 20 pixels along a vertical one, written in fixed-point
// notation with as many decimals as the increment needs.
class CChartStandardAxis : public CChartAxis {
public:
    CChartStandardAxis(CChartCtrl* owner, ChartAxisPosition position)
        : CChartAxis(owner, position) {}

    double GetFirstTickValue() const override { return firstTick_; }
    bool GetNextTickValue(double current, double& next) const override;
    int GetTickPosition(double value) const override { return ValueToScreen(value); }
    QString GetTickLabelText(double value) const override;
    void RefreshTickIncrement() override;
    void RefreshFirstTick() override;

    // The increment of round linear ticks over min..max for the span: 1, 2 or 5 times a power
    // of ten, about one per 30 pixels along a horizontal axis and one per 20 along a vertical
    // one, and the decimals its labels need; false (nothing set) for a reversed or unbounded
    // range.
    static bool RoundIncrement(double min, double max, int spanPixels, bool horizontal,
                               double& increment, int& decimalCount);

private:
    // Two ticks closer than this are the same tick; it absorbs the rounding of decimal steps
    // such as 0.1 in binary floating point.
    double TickTolerance() const { return tickIncrement_ * 1e-6; }
};
