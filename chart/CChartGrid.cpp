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

const QImage& CChartGrid::Line(const SChartRect& plot, const QColor& color) const {
    CachedLine& line = lines_[color.rgb() == color_.rgb() ? 0 : 1];
    const int length = horizontal_ ? plot.Height() : plot.Width();
    if (line.length == length && line.color == color.rgb() && !line.image.isNull()) {
        return line.image;
    }
    line.length = length;
    line.color = color.rgb();
    line.image = QImage(horizontal_ ? 1 : length, horizontal_ ? length : 1,
                        QImage::Format_ARGB32_Premultiplied);
    line.image.fill(Qt::transparent);
    const QRgb opaque = qRgb(color.red(), color.green(), color.blue());
    if (horizontal_) {
        // Upwards from the bottom edge: each dash covers y, y - 1, y - 2 (plot.top is row 0).
        for (int y = plot.bottom; y > plot.top; y -= kDashPeriod) {
            for (int row = y - kDashLength + 1; row <= y; ++row) {
                if (row >= plot.top && row < plot.bottom) {
                    line.image.setPixel(0, row - plot.top, opaque);
                }
            }
        }
    } else {
        // Rightwards from the left edge: each dash covers x, x + 1, x + 2.
        for (int x = plot.left; x < plot.right; x += kDashPeriod) {
            for (int column = x; column < x + kDashLength; ++column) {
                if (column >= plot.left && column < plot.right) {
                    line.image.setPixel(column - plot.left, 0, opaque);
                }
            }
        }
    }
    return line.image;
}

void CChartGrid::DrawLines(QPainter& painter, const SChartRect& plot, const std::vector<int>& ticks,
                           const QColor& color) const {
    if (ticks.empty()) {
        return;
    }
    // The plotting area's clip keeps the dashes inside it, as it would the rectangles they are.
    const QImage& line = Line(plot, color);
    for (const int tick : ticks) {
        if (horizontal_) {
            painter.drawImage(tick, plot.top, line);
        } else {
            painter.drawImage(plot.left, tick, line);
        }
    }
}
