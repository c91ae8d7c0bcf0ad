#pragma once

#include "chart/CChartAxis.h"

// The logarithmic frequency axis: values are spread evenly in log10, so each decade takes the
// same width. Ticks stand at every whole multiple of a power of ten (20, 30, 40, ... 90, 100,
// 200, ...); the multiples 1, 2 and 5 are the major ones, labelled "20", "50", "100", "200",
// "500", "1k", "2k", "5k", "10k", "20k", the others minor (a short mark and a light grid line).
// Zoomed in so far that fewer than two majors remain, every multiple is labelled; so far that
// fewer than two multiples remain, the ticks fall back to round linear steps as on the linear
// axis. Labels are thinned as on every axis, so they never run into each other.
//
// The range must be positive; with a range that is not (min at or below 0, or max at or below
// min) the axis shows one tick at min. Rectangle zoom and pan work on the logarithm: a pan moves
// the decades with the mouse, and a zoom is at least 0.001 decade wide.
class CChartLogAxis : public CChartAxis {
public:
    CChartLogAxis(CChartCtrl* owner, ChartAxisPosition position) : CChartAxis(owner, position) {}

    double GetFirstTickValue() const override { return firstTick_; }
    bool GetNextTickValue(double current, double& next) const override;
    int GetTickPosition(double value) const override { return ValueToScreen(value); }
    QString GetTickLabelText(double value) const override;
    void RefreshTickIncrement() override;
    void RefreshFirstTick() override;
    bool IsMajorTick(double value) const override;

    void SetZoomRange(double lo, double hi) override;
    void Pan(int from, int to) override;

    // A frequency as the axis writes it: below 1000 with the given number of decimals ("63",
    // "12.5"), from 1000 up in thousands with a "k" and no trailing zeros ("1k", "1.2k", "20k").
    static QString FrequencyText(double hertz, int decimals);

protected:
    double ToScale(double value) const override;
    double FromScale(double scaled) const override;

private:
    enum class Ticks {
        Single,    // the range is not positive: one tick at min
        Multiples, // every whole multiple of a power of ten
        Linear,    // round linear steps, as on the linear axis
    };

    bool HasPositiveRange() const;
    // The number of whole multiples of a power of ten in the range, counted up to `enough`.
    int CountMultiples(int enough, bool majorsOnly) const;

    Ticks ticks_ = Ticks::Single;
    // With Ticks::Multiples: whether only 1, 2 and 5 times a power of ten are major.
    bool majorsOnly125_ = true;
};
