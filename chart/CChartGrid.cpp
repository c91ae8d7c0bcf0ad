#include "chart/CChartGrid.h"

#include <QPainter>

void CChartGrid::Draw(QPainter& painter, const SChartRect& plot) const {
    if (!m_visible || plot.IsEmpty() || m_ticks.empty()) {
        return;
    }
    painter.save();
    painter.setClipRect(plot.ToQRect());
    if (m_horizontal) {
        // Upwards from the bottom edge: each dash covers y, y - 1, y - 2.
        for (const int x : m_ticks) {
            for (int y = plot.bottom; y > plot.top; y -= DashPeriod) {
                painter.fillRect(x, y - DashLength + 1, 1, DashLength, m_color);
            }
        }
    } else {
        // Rightwards from the left edge: each dash covers x, x + 1, x + 2.
        for (const int y : m_ticks) {
            for (int x = plot.left; x < plot.right; x += DashPeriod) {
                painter.fillRect(x, y, DashLength, 1, m_color);
            }
        }
    }
    painter.restore();
}
