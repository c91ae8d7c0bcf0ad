#include "chart/CChartHandleLayer.h"

#include "chart/CChartAxis.h"
#include "chart/CChartCtrl.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

namespace {

constexpr int kRadius = 5;
constexpr int kDraggedRadius = 7;
constexpr int kWheelNotch = 120;

} // namespace

CChartHandleLayer::CChartHandleLayer(CChartCtrl& chart) : chart_(chart) {
    chart_.AddLayer(this);
}

CChartHandleLayer::~CChartHandleLayer() {
    chart_.RemoveLayer(this);
}

void CChartHandleLayer::SetHandles(std::vector<Handle> handles) {
    handles_ = std::move(handles);
    if (dragged_ >= static_cast<int>(handles_.size())) {
        dragged_ = -1;
    }
    chart_.Redraw();
}

bool CChartHandleLayer::HandlePixel(int index, QPoint& pixel) const {
    const CChartAxis* bottom = chart_.GetBottomAxis();
    const CChartAxis* left = chart_.GetLeftAxis();
    if (bottom == nullptr || left == nullptr || index < 0 ||
        index >= static_cast<int>(handles_.size())) {
        return false;
    }
    const Handle& handle = handles_[static_cast<std::size_t>(index)];
    if (!std::isfinite(handle.x) || !std::isfinite(handle.y)) {
        return false;
    }
    pixel = QPoint(bottom->ValueToScreen(handle.x), left->ValueToScreen(handle.y));
    const SChartRect& plot = chart_.GetPlottingRect();
    return pixel.x() >= plot.left && pixel.x() <= plot.right && pixel.y() >= plot.top &&
           pixel.y() <= plot.bottom;
}

int CChartHandleLayer::HandleAt(QPoint pixel) const {
    int best = -1;
    int bestDistance = kHitRadius * kHitRadius + 1;
    for (int i = 0; i < static_cast<int>(handles_.size()); ++i) {
        QPoint centre;
        if (!HandlePixel(i, centre)) {
            continue;
        }
        const QPoint d = centre - pixel;
        const int distance = d.x() * d.x() + d.y() * d.y();
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void CChartHandleLayer::Draw(QPainter& painter, const SChartRect& plot) {
    painter.save();
    painter.setClipRect(plot.ToQRect().adjusted(0, 0, 1, 1));
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (int i = 0; i < static_cast<int>(handles_.size()); ++i) {
        QPoint centre;
        if (!HandlePixel(i, centre)) {
            continue;
        }
        const Handle& handle = handles_[static_cast<std::size_t>(i)];
        const int radius = i == dragged_ ? kDraggedRadius : kRadius;
        if (handle.marked) {
            painter.setPen(QPen(QColor(220, 0, 0), 2));
            painter.setBrush(Qt::white);
            painter.drawEllipse(centre, radius, radius);
            const int arm = radius - 2;
            painter.drawLine(centre + QPoint(-arm, -arm), centre + QPoint(arm, arm));
            painter.drawLine(centre + QPoint(-arm, arm), centre + QPoint(arm, -arm));
        } else {
            painter.setPen(QPen(Qt::black, 1));
            painter.setBrush(handle.color);
            painter.drawEllipse(centre, radius, radius);
        }
    }
    painter.restore();
}

bool CChartHandleLayer::MousePress(QMouseEvent& event) {
    if (event.button() != Qt::LeftButton) {
        return false;
    }
    const QPoint pixel = event.position().toPoint();
    const int index = HandleAt(pixel);
    if (index < 0) {
        return false;
    }
    dragged_ = index;
    emit DragStarted(index, pixel);
    chart_.Redraw();
    return true;
}

bool CChartHandleLayer::MouseMove(QMouseEvent& event) {
    if (dragged_ < 0) {
        return false;
    }
    emit Dragged(dragged_, event.position().toPoint(), event.modifiers());
    return true;
}

bool CChartHandleLayer::MouseRelease(QMouseEvent& event) {
    if (dragged_ < 0 || event.button() != Qt::LeftButton) {
        return dragged_ >= 0;
    }
    const int index = dragged_;
    dragged_ = -1;
    emit DragFinished(index);
    chart_.Redraw();
    return true;
}

bool CChartHandleLayer::MouseDoubleClick(QMouseEvent& event) {
    if (event.button() != Qt::LeftButton) {
        return false;
    }
    const int index = HandleAt(event.position().toPoint());
    if (index < 0) {
        return false;
    }
    emit DoubleClicked(index);
    return true;
}

bool CChartHandleLayer::Wheel(QWheelEvent& event) {
    const int index = HandleAt(event.position().toPoint());
    if (index < 0 || event.angleDelta().y() == 0) {
        return false;
    }
    wheelRemainder_ += event.angleDelta().y();
    const int notches = wheelRemainder_ / kWheelNotch;
    wheelRemainder_ -= notches * kWheelNotch;
    if (notches != 0) {
        emit Wheeled(index, notches, event.modifiers());
    }
    return true;
}
