#pragma once

#include "chart/SChartRect.h"

#include <QColor>
#include <QImage>
#include <vector>

class QPainter;

// The dashed grid of one axis: a line of 3-pixel dashes every 6 pixels through each tick that the
// axis drew, clipped to the plotting area. A horizontal axis gets vertical grid lines. The lines
// of minor ticks (the logarithmic axis's multiples between its labels) are drawn first, in a
// lighter grey.
class CChartGrid {
public:
    explicit CChartGrid(bool horizontal) : horizontal_(horizontal) {}

    bool IsVisible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    const QColor& GetColor() const { return color_; }
    void SetColor(const QColor& color) { color_ = color; }
    const QColor& GetMinorColor() const { return minorColor_; }
    void SetMinorColor(const QColor& color) { minorColor_ = color; }
    bool IsHorizontal() const { return horizontal_; }

    // The tick pixel positions, collected by the axis while it draws.
    void ClearTicks() {
        ticks_.clear();
        minorTicks_.clear();
    }
    void AddTick(int position) { ticks_.push_back(position); }
    void AddMinorTick(int position) { minorTicks_.push_back(position); }
    const std::vector<int>& GetTicks() const { return ticks_; }
    const std::vector<int>& GetMinorTicks() const { return minorTicks_; }

    void Draw(QPainter& painter, const SChartRect& plot) const;

private:
    void DrawLines(QPainter& painter, const SChartRect& plot, const std::vector<int>& ticks,
                   const QColor& color) const;
    // One grid line of the plotting area's height (or width) in a colour, dashes opaque and
    // gaps transparent, drawn once and copied to every tick.
    const QImage& Line(const SChartRect& plot, const QColor& color) const;

    static constexpr int kDashLength = 3;
    static constexpr int kDashPeriod = 6;

    bool horizontal_;
    bool visible_ = true;
    QColor color_ = QColor(128, 128, 128);
    QColor minorColor_ = QColor(200, 200, 200);
    std::vector<int> ticks_;
    std::vector<int> minorTicks_;
    struct CachedLine {
        int length = -1;
        QRgb color = 0;
        QImage image;
    };
    mutable CachedLine lines_[2]; // major, minor
};
