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

} // namespace

void CChartLineSerie::SetWidth(int width) {
    penWidth_ = std::max(1, width);
    RequestRedraw();
}

void CChartLineSerie::SetPenStyle(Qt::PenStyle style) {
    penStyle_ = style;
    RequestRedraw();
}

void CChartLineSerie::DrawAll(QPainter& painter) {
    std::size_t first = 0;
    std::size_t last = 0;
    const CChartAxis* horizontal = GetHorizontalAxis();
    const CChartAxis* vertical = GetVerticalAxis();
    if (!IsVisible() || horizontal == nullptr || vertical == nullptr ||
        !GetVisiblePoints(first, last)) {
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
    polyline_.clear();
    pieceStarts_.clear();
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
                polyline_.push_back(end);
            }
            if (endCut) {
                closePiece();
            }
        }
        previous = current;
        havePrevious = true;
    }
    closePiece();
    if (pieceStarts_.empty()) {
        return;
    }

    painter.save();
    painter.setClipRect(clip.ToQRect());
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(QPen(GetColor(), penWidth_, penStyle_, Qt::RoundCap, Qt::RoundJoin));
    for (std::size_t piece = 0; piece < pieceStarts_.size(); ++piece) {
        const std::size_t begin = pieceStarts_[piece];
        const std::size_t end =
            piece + 1 < pieceStarts_.size() ? pieceStarts_[piece + 1] : polyline_.size();
        painter.drawPolyline(polyline_.data() + begin, static_cast<int>(end - begin));
    }
    painter.restore();
}
