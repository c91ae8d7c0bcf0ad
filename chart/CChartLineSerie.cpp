#include "chart/CChartLineSerie.h"

#include "chart/CChartAxis.h"

#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <algorithm>
#include <cmath>

namespace {

// Cuts the segment a-b down to its part inside the box (Liang-Barsky); false when it misses the
// box. `endCut` tells whether b was moved.
bool ClipSegment(QPointF& a, QPointF& b, const QRectF& box, bool& endCut) {
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(),
                         box.bottom() - a.y()};
    double enter = 0.0;
    double leave = 1.0;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return false;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            enter = std::max(enter, t);
        } else {
            leave = std::min(leave, t);
        }
    }
    if (enter > leave) {
        return false;
    }
    endCut = leave < 1.0;
    const QPointF start = a;
    a = QPointF(start.x() + enter * dx, start.y() + enter * dy);
    if (endCut) {
        b = QPointF(start.x() + leave * dx, start.y() + leave * dy);
    }
    return true;
}

// Whether c continues the run a-b along one pixel row or one pixel column, in the same direction:
// then a-c covers the pixels of a-b and b-c.
bool StraightOn(QPoint a, QPoint b, QPoint c) {
    if (a.y() == b.y() && b.y() == c.y()) {
        return (b.x() > a.x()) == (c.x() > b.x());
    }
    if (a.x() == b.x() && b.x() == c.x()) {
        return (b.y() > a.y()) == (c.y() > b.y());
    }
    return false;
}

} // namespace

void CChartLineSerie::SetWidth(int width) {
    penWidth_ = std::max(1, width);
    RequestRedraw();
}

void CChartLineSerie::SetPenStyle(Qt::PenStyle style) {
    penStyle_ = style;
    RequestRedraw();
}

void CChartLineSerie::SetFastDrawing(bool on) {
    fast_ = on;
    RequestRedraw();
}

CChartLineSerie::Layout CChartLineSerie::CurrentLayout() const {
    const CChartAxis* horizontal = GetHorizontalAxis();
    const CChartAxis* vertical = GetVerticalAxis();
    Layout layout;
    if (horizontal != nullptr && vertical != nullptr) {
        layout.horizontal = horizontal->GetSerial();
        layout.vertical = vertical->GetSerial();
        layout.hMin = horizontal->GetMin();
        layout.hMax = horizontal->GetMax();
        layout.hStart = horizontal->GetStartPixel();
        layout.hEnd = horizontal->GetEndPixel();
        layout.hInverted = horizontal->IsInverted();
        layout.vMin = vertical->GetMin();
        layout.vMax = vertical->GetMax();
        layout.vStart = vertical->GetStartPixel();
        layout.vEnd = vertical->GetEndPixel();
        layout.vInverted = vertical->IsInverted();
    }
    layout.clip = GetClippingRect();
    layout.width = penWidth_;
    layout.fast = fast_;
    layout.points = GetPointsVersion();
    return layout;
}

void CChartLineSerie::BuildPolyline() {
    polyline_.clear();
    pieceStarts_.clear();
    std::size_t first = 0;
    std::size_t last = 0;
    const CChartAxis* horizontal = GetHorizontalAxis();
    const CChartAxis* vertical = GetVerticalAxis();
    if (!GetVisiblePoints(first, last)) {
        return;
    }
    // One point more on each side, so that the lines leaving the plotting area reach its edge.
    if (first > 0) {
        --first;
    }
    if (last + 1 < GetPointsCount()) {
        ++last;
    }
    if (first == last) {
        return;
    }

    // Lines towards points far outside the plotting area are cut a little beyond its edge, so
    // that the painter only sees coordinates near the window.
    const SChartRect clip = GetClippingRect();
    const double margin = penWidth_ + 2.0;
    const QRectF box(QPointF(clip.left - margin, clip.top - margin),
                     QPointF(clip.right + margin, clip.bottom + margin));
    std::size_t pieceStart = 0;
    const auto closePiece = [&] {
        if (polyline_.size() - pieceStart < 2) {
            polyline_.resize(pieceStart);
        } else {
            pieceStarts_.push_back(pieceStart);
            pieceStart = polyline_.size();
        }
    };

    bool havePrevious = false;
    QPointF previous;
    for (std::size_t i = first; i <= last; ++i) {
        const SChartXYPoint& point = GetPoint(i);
        if (!std::isfinite(point.x) || !std::isfinite(point.y)) {
            continue;
        }
        const QPointF current(horizontal->ValueToScreenF(point.x),
                              vertical->ValueToScreenF(point.y));
        QPointF from = previous;
        QPointF to = current;
        bool endCut = false;
        if (havePrevious && ClipSegment(from, to, box, endCut)) {
            const QPoint start = from.toPoint();
            const QPoint end = to.toPoint();
            if (polyline_.size() == pieceStart || polyline_.back() != start) {
                closePiece();
                polyline_.push_back(start);
            }
            // A point on the same pixel as the one before is left out.
            if (end != polyline_.back()) {
                if (fast_ && polyline_.size() - pieceStart >= 2 &&
                    StraightOn(polyline_[polyline_.size() - 2], polyline_.back(), end)) {
                    polyline_.back() = end;
                } else {
                    polyline_.push_back(end);
                }
            }
            if (endCut) {
                closePiece();
            }
        }
        previous = current;
        havePrevious = true;
    }
    closePiece();
}

void CChartLineSerie::DrawAll(QPainter& painter) {
    if (!IsVisible() || GetHorizontalAxis() == nullptr || GetVerticalAxis() == nullptr) {
        return;
    }
    // The polyline stays as it was built while its points, its axes and its area do.
    const Layout layout = CurrentLayout();
    if (!haveBuilt_ || !(layout == built_)) {
        BuildPolyline();
        built_ = layout;
        haveBuilt_ = true;
    }
    if (pieceStarts_.empty()) {
        return;
    }

    const SChartRect clip = GetClippingRect();
    painter.save();
    painter.setClipRect(clip.ToQRect());
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    const bool square = fast_ && penWidth_ > 1 && penStyle_ == Qt::SolidLine;
    const int passes = square ? penWidth_ : 1;
    if (square) {
        painter.setPen(QPen(GetColor(), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    } else {
        painter.setPen(QPen(GetColor(), penWidth_, penStyle_, Qt::RoundCap, Qt::RoundJoin));
    }
    // The brush: the one-pixel line moved over a triangle of the pen's width (for 2 pixels:
    // itself, one to the right, one down), centred as the stroked line would be, so that a line
    // in any direction is the pen's width thick.
    const int shift = -(passes - 1) / 2;
    for (int dx = 0; dx < passes; ++dx) {
        for (int dy = 0; dx + dy < passes; ++dy) {
            painter.save();
            painter.translate(shift, shift);
            painter.translate(dx, dy);
            for (std::size_t piece = 0; piece < pieceStarts_.size(); ++piece) {
                const std::size_t begin = pieceStarts_[piece];
                const std::size_t end =
                    piece + 1 < pieceStarts_.size() ? pieceStarts_[piece + 1] : polyline_.size();
                painter.drawPolyline(polyline_.data() + begin, static_cast<int>(end - begin));
            }
            painter.restore();
        }
    }
    painter.restore();
}
