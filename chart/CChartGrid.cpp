#include "chart/CChartGrid.h"

#include <QPainter>

void CChartGrid::Draw(QPainter& painter, const SChartRect& plot) const {
    if (!visible_ || plot.IsEmpty() || (ticks_.empty() && minorTicks_.empty())) {
        return;
    }
    painter.save();
    painter.setClipRect(plot.ToQRect());
    DrawLines(painter, plot, minorTicks_, minorColor_);
    DrawLines(painter, plot, ticks_, color_);
    painter.restore();
}

void CChartGrid::DrawLines(QPainter& painter, const SChartRect& plot, const std::vector<int>& ticks,
                           const QColor& color) const {
    if (horizontal_) {
        // Upwards from the bottom edge: each dash covers y, y - 1, y - 2.
        for (const int x : ticks) {
            for (int y = plot.bottom; y > plot.top; y -= kDashPeriod) {
                painter.fillRect(x, y - kDashLength + 1, 1, kDashLength, color);
            }
        }
    } else {
        // Rightwards from the left edge: each dash covers x, x + 1, x + 2.
        for (const int y : ticks) {
            for (int x = plot.left; x < plot.right; x += kDashPeriod) {
                painter.fillRect(x, y, kDashLength, 1, color);
            }
        }
    }
}
