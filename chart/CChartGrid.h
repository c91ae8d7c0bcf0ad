#pragma once

#include "chart/SChartRect.h"

#include <QColor>
#include <vector>

class QPainter;

// The dashed grid of one axis: a line of 3-pixel dashes every 6 pixels through each tick that the
// axis drew, clipped to the plotting area. A horizontal axis gets vertical grid lines.
class CChartGrid {
public:
    explicit CChartGrid(bool horizontal) : horizontal_(horizontal) {}

    bool IsVisible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    const QColor& GetColor() const { return color_; }
    void SetColor(const QColor& color) { color_ = color; }
    bool IsHorizontal() const { return horizontal_; }

    // The tick pixel positions, collected by the axis while it draws.
    void ClearTicks() { ticks_.clear(); }
    void AddTick(int position) { ticks_.push_back(position); }
    const std::vector<int>& GetTicks() const { return ticks_; }

    void Draw(QPainter& painter, const SChartRect& plot) const;

private:
    static constexpr int kDashLength = 3;
    static constexpr int kDashPeriod = 6;

    bool horizontal_;
    bool visible_ = true;
    QColor color_ = QColor(128, 128, 128);
    std::vector<int> ticks_;
};
