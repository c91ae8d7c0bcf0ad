#include "chart/CChartXYSerie.h"

#include "chart/CChartAxis.h"

#include <algorithm>
#include <vector>

void CChartXYSerie::SetPoints(const double* x, const double* y, std::size_t count) {
    if (x == nullptr || y == nullptr) {
        count = 0;
    }
    SetPoints(std::span<const double>(x, count), std::span<const double>(y, count));
}

void CChartXYSerie::SetPoints(std::span<const double> x, std::span<const double> y) {
    const std::size_t count = std::min(x.size(), y.size());
    std::vector<SChartXYPoint> points(count);
    for (std::size_t i = 0; i < count; ++i) {
        points[i] = SChartXYPoint{x[i], y[i]};
    }
    SetPoints(std::span<const SChartXYPoint>(points));
}

QPoint CChartXYSerie::GetPointScreenCoord(std::size_t index) const {
    const SChartXYPoint& point = GetPoint(index);
    return QPoint(GetHorizontalAxis()->ValueToScreen(point.x),
                  GetVerticalAxis()->ValueToScreen(point.y));
}
