#pragma once

#include "chart/CChartSerieBase.h"
#include "chart/SChartXYPoint.h"

#include <span>

// A series of (X, Y) points: X is drawn along the horizontal axis, Y along the vertical one.
class CChartXYSerie : public CChartSerieBase<SChartXYPoint> {
public:
    using CChartSerieBase<SChartXYPoint>::CChartSerieBase;
    using CChartSerieBase<SChartXYPoint>::SetPoints;

    // Point i is (x[i], y[i]) for i below count; null arrays set no points. Redraws once.
    void SetPoints(const double* x, const double* y, std::size_t count);
    // As above with the shorter of the two spans.
    void SetPoints(std::span<const double> x, std::span<const double> y);

    QPoint GetPointScreenCoord(std::size_t index) const override;
};
