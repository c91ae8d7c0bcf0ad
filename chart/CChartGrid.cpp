#include "chart/CChartGrid.h"

#include <QPainter>

void CChartGrid::Draw(QPainter& painter, const SChartRect& plot) const {
    if (!visible_ || plot.IsEmpty() || ticks_.empty()) {
        return;
    }
    painter.save();
    painter.setClipRect(plot.ToQRect());
    if (horizontal_) {
        // Upwards from the bottom edge: each dash covers y, y - 1, y - 2.
        for (const int x : ticks_) {
            for (int y = plot.bottom; y > plot.top; y -= kDashPeriod) {
                painter.fillRect(x, y - kDashLength + 1, 1, kDashLength, color_);
            }
        }
    } else {
        // Rightwards from the left edge: each dash covers x, x + 1, x + 2.
        for (const int y : ticks_) {
            for (int x = plot.left; x < plot.right; x += kDashPeriod) {
                painter.fillRect(x, y, kDashLength, 1, color_);
            }
        }
    }
    painter.restore();
}
