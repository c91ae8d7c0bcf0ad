#pragma once

#include "chart/SChartRect.h"

#include <QColor>
#include <vector>

class QPainter;

// The dashed grid of one axis: a line of 3-pixel dashes every 6 pixels through each tick that the
// axis drew, clipped to the plotting area. A horizontal axis gets vertical grid lines.
class CChartGrid {
public:
    explicit CChartGrid(bool horizontal) : m_horizontal(horizontal) {}

    bool IsVisible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }
    const QColor& GetColor() const { return m_color; }
    void SetColor(const QColor& color) { m_color = color; }
    bool IsHorizontal() const { return m_horizontal; }

    // The tick pixel positions, collected by the axis while it draws.
    void ClearTicks() { m_ticks.clear(); }
    void AddTick(int position) { m_ticks.push_back(position); }
    const std::vector<int>& GetTicks() const { return m_ticks; }

    void Draw(QPainter& painter, const SChartRect& plot) const;

private:
    static constexpr int DashLength = 3;
    static constexpr int DashPeriod = 6;

    bool m_horizontal;
    bool m_visible = true;
    QColor m_color = QColor(128, 128, 128);
    std::vector<int> m_ticks;
};
