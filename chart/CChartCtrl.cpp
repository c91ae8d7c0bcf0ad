#include "chart/CChartCtrl.h"

#include "chart/CChartLayer.h"
#include "chart/CChartLineSerie.h"
#include "chart/CChartLogAxis.h"
#include "chart/CChartStandardAxis.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QResizeEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

// Colours of new series, by the number of series already in the chart, modulo 10.
constexpr std::array<QRgb, 10> kSeriePalette = {
    qRgb(255, 0, 0),   qRgb(0, 150, 0),   qRgb(0, 0, 255),   qRgb(255, 255, 0), qRgb(0, 255, 255),
    qRgb(255, 128, 0), qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(255, 0, 255), qRgb(64, 128, 128)};

} // namespace

CChartCtrl::CChartCtrl(QWidget* parent) : QWidget(parent) {
    // Painting copies the off-screen image over the whole window: no background erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::ArrowCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    const QPalette& colors = palette();
    backColor_ = colors.color(QPalette::Button);
    edgeOuterLight_ = colors.color(QPalette::Midlight);
    edgeOuterDark_ = colors.color(QPalette::Shadow);
    edgeInnerLight_ = colors.color(QPalette::Light);
    edgeInnerDark_ = colors.color(QPalette::Dark);
}

CChartCtrl::~CChartCtrl() {
    series_.clear();
    for (auto& axis : axes_) {
        axis.reset();
    }
}

QFont CChartCtrl::MakeSansSerifFont(int pointTenths) const {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    const int dpi = logicalDpiY() > 0 ? logicalDpiY() : 96;
    // Points to pixels, rounded, as a point-size font is made for a screen.
    font.setPixelSize(std::max(1, (pointTenths * dpi + 360) / 720));
    return font;
}

QSize CChartCtrl::sizeHint() const {
    return QSize(560, 200);
}

QSize CChartCtrl::minimumSizeHint() const {
    return QSize(120, 80);
}

template <class Axis>
Axis* CChartCtrl::PlaceAxis(ChartAxisPosition position) {
    const auto index = static_cast<std::size_t>(position);
    if (index >= kAxisCount) {
        return nullptr;
    }
    auto axis = std::make_unique<Axis>(this, position);
    Axis* added = axis.get();
    for (auto& entry : series_) {
        entry.second->ReplaceAxis(axes_[index].get(), added);
    }
    axes_[index] = std::move(axis);
    Redraw();
    return added;
}

CChartStandardAxis* CChartCtrl::AddAxis(ChartAxisPosition position) {
    return PlaceAxis<CChartStandardAxis>(position);
}

CChartLogAxis* CChartCtrl::AddLogAxis(ChartAxisPosition position) {
    return PlaceAxis<CChartLogAxis>(position);
}

CChartAxis* CChartCtrl::GetAxis(ChartAxisPosition position) const {
    const auto index = static_cast<std::size_t>(position);
    return index < kAxisCount ? axes_[index].get() : nullptr;
}

CChartLineSerie* CChartCtrl::AddLineSerie() {
    CChartAxis* horizontal = GetBottomAxis();
    CChartAxis* vertical = GetLeftAxis();
    if (horizontal == nullptr || vertical == nullptr) {
        return nullptr;
    }
    const QColor color = QColor::fromRgb(kSeriePalette[series_.size() % kSeriePalette.size()]);
    auto serie = std::make_unique<CChartLineSerie>(this, horizontal, vertical, color);
    CChartLineSerie* added = serie.get();
    series_.emplace(added->GetSerieId(), std::move(serie));
    Redraw();
    return added;
}

CChartSerie* CChartCtrl::GetSerie(unsigned serieId) const {
    const auto found = series_.find(serieId);
    return found == series_.end() ? nullptr : found->second.get();
}

void CChartCtrl::RemoveAllSeries() {
    series_.clear();
    Redraw();
}

void CChartCtrl::AddLayer(CChartLayer* layer) {
    if (layer == nullptr || std::find(layers_.begin(), layers_.end(), layer) != layers_.end()) {
        return;
    }
    layers_.push_back(layer);
    setMouseTracking(true);
    Redraw();
}

void CChartCtrl::RemoveLayer(CChartLayer* layer) {
    const auto found = std::find(layers_.begin(), layers_.end(), layer);
    if (found == layers_.end()) {
        return;
    }
    layers_.erase(found);
    if (mouseLayer_ == layer) {
        mouseLayer_ = nullptr;
    }
    setMouseTracking(!layers_.empty());
    Redraw();
}

void CChartCtrl::SetBackColor(const QColor& color) {
    backColor_ = color;
    Redraw();
}

void CChartCtrl::SetBorderColor(const QColor& color) {
    borderColor_ = color;
    Redraw();
}

bool CChartCtrl::WindowExists() const {
    return testAttribute(Qt::WA_WState_Created);
}

void CChartCtrl::Redraw() {
    if (redrawCounter_ <= 0) {
        redrawPending_ = true;
        return;
    }
    if (!WindowExists()) {
        return;
    }
    RebuildImage();
    update();
}

void CChartCtrl::HoldRedraw() {
    --redrawCounter_;
}

void CChartCtrl::ReleaseRedraw() {
    ++redrawCounter_;
    if (redrawCounter_ > 0 && redrawPending_) {
        Redraw();
    }
}

void CChartCtrl::RebuildImage() {
    redrawPending_ = false;
    const QSize clientSize = size();
    if (clientSize.isEmpty()) {
        image_ = QImage();
        return;
    }
    if (image_.size() != clientSize) {
        image_ = QImage(clientSize, QImage::Format_RGB32);
    }
    QPainter painter(&image_);
    const SChartRect client{0, 0, clientSize.width(), clientSize.height()};
    DrawBackground(painter, client);
    DrawChart(painter, SChartRect{client.left + kChartInset, client.top + kChartInset,
                                  client.right - kChartInset, client.bottom - kChartInset});
}

void CChartCtrl::DrawBackground(QPainter& painter, const SChartRect& clientArea) {
    const QRect area = clientArea.ToQRect();
    painter.fillRect(area, backColor_);
    // A raised edge of two rings: light above and left, dark below and right, where the dark
    // sides take the corners they share with the light ones.
    const auto ring = [&painter](const QRect& r, const QColor& light, const QColor& dark) {
        if (r.width() <= 0 || r.height() <= 0) {
            return;
        }
        painter.fillRect(r.left(), r.top(), r.width() - 1, 1, light);
        painter.fillRect(r.left(), r.top(), 1, r.height() - 1, light);
        painter.fillRect(r.left(), r.bottom(), r.width(), 1, dark);
        painter.fillRect(r.right(), r.top(), 1, r.height(), dark);
    };
    ring(area, edgeOuterLight_, edgeOuterDark_);
    ring(area.adjusted(1, 1, -1, -1), edgeInnerLight_, edgeInnerDark_);
}

void CChartCtrl::LayOutAxes(const SChartRect& chartArea, SChartRect& plot) {
    // First pass: every axis takes the room its ticks and label need out of the plotting area.
    for (const auto& axis : axes_) {
        if (axis) {
            axis->SetLayout(chartArea, plot);
            axis->RefreshTicks();
            axis->FitPlot(chartArea, plot);
        }
    }
    // Second pass: spans and ticks for the final plotting area.
    for (const auto& axis : axes_) {
        if (axis) {
            axis->SetLayout(chartArea, plot);
            axis->RefreshTicks();
        }
    }
}

void CChartCtrl::DrawChart(QPainter& painter, const SChartRect& chartArea) {
    // The chart shows neither a title nor a legend: the axes share the whole area.
    SChartRect plot = chartArea;
    LayOutAxes(chartArea, plot);
    plottingRect_ = plot;
    if (plot.IsEmpty()) {
        // Too small for a plotting area: the background alone.
        return;
    }
    for (const auto& axis : axes_) {
        if (axis) {
            axis->Draw(painter, plot);
        }
    }
    DrawBorder(painter, plot);
    const SChartRect clip{plot.left, plot.top, plot.right + 1, plot.bottom + 1};
    for (const auto& entry : series_) {
        entry.second->SetClippingRect(clip);
        entry.second->DrawAll(painter);
    }
    for (CChartLayer* layer : layers_) {
        layer->Draw(painter, plot);
    }
}

void CChartCtrl::DrawBorder(QPainter& painter, const SChartRect& plot) const {
    // Top, right, bottom and left side through the four corners, corners included.
    const int width = plot.Width() + 1;
    const int height = plot.Height() + 1;
    painter.fillRect(plot.left, plot.top, width, 1, borderColor_);
    painter.fillRect(plot.right, plot.top, 1, height, borderColor_);
    painter.fillRect(plot.left, plot.bottom, width, 1, borderColor_);
    painter.fillRect(plot.left, plot.top, 1, height, borderColor_);
}

void CChartCtrl::paintEvent(QPaintEvent* /*event*/) {
    if (!paintedOnce_) {
        paintedOnce_ = true;
        if (redrawCounter_ > 0) {
            RebuildImage();
        } else {
            redrawPending_ = true;
        }
    }
    QPainter painter(this);
    if (image_.isNull()) {
        painter.fillRect(rect(), backColor_);
    } else {
        painter.drawImage(0, 0, image_);
    }
    if (zooming_ && zoomEnabled_) {
        painter.setPen(QPen(zoomRectColor_, 1));
        painter.setBrush(Qt::NoBrush);
        const QRect dragged = QRect(zoomStart_, zoomEnd_).normalized();
        painter.drawRect(QRect(dragged.topLeft(), dragged.size() - QSize(1, 1)));
    }
    if (!image_.isNull() && !plottingRect_.IsEmpty()) {
        for (CChartLayer* layer : layers_) {
            layer->PaintOver(painter, plottingRect_);
        }
    }
}

void CChartCtrl::resizeEvent(QResizeEvent* /*event*/) {
    image_ = QImage();
    Redraw();
}

void CChartCtrl::mousePressEvent(QMouseEvent* event) {
    for (auto layer = layers_.rbegin(); layer != layers_.rend() && !zooming_ && !panning_;
         ++layer) {
        if ((*layer)->MousePress(*event)) {
            mouseLayer_ = *layer;
            return;
        }
    }
    const QPoint position = event->position().toPoint();
    if (event->button() == Qt::LeftButton && zoomEnabled_) {
        zooming_ = true;
        zoomStart_ = position;
        zoomEnd_ = position;
    } else if (event->button() == Qt::RightButton && panEnabled_) {
        panning_ = true;
        panLast_ = position;
    }
}

void CChartCtrl::mouseMoveEvent(QMouseEvent* event) {
    if (mouseLayer_ != nullptr) {
        mouseLayer_->MouseMove(*event);
        // The other layers still see the pointer move (a hover readout follows a drag).
        for (const auto& layer : layers_) {
            if (layer != mouseLayer_) {
                layer->MouseMove(*event);
            }
        }
        return;
    }
    // Every layer sees the pointer (for hovering); the first that takes the move ends it.
    for (auto layer = layers_.rbegin(); layer != layers_.rend(); ++layer) {
        if ((*layer)->MouseMove(*event)) {
            return;
        }
    }
    const QPoint position = event->position().toPoint();
    if (zooming_) {
        zoomEnd_ = position;
        update();
    }
    if (panning_ && position != panLast_) {
        HoldRedraw();
        for (const auto& axis : axes_) {
            if (axis && axis->IsHorizontal()) {
                axis->Pan(panLast_.x(), position.x());
            } else if (axis) {
                axis->Pan(panLast_.y(), position.y());
            }
        }
        panLast_ = position;
        ReleaseRedraw();
        repaint();
    }
}

void CChartCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (mouseLayer_ != nullptr) {
        CChartLayer* layer = mouseLayer_;
        if (event->buttons() == Qt::NoButton) {
            mouseLayer_ = nullptr;
        }
        layer->MouseRelease(*event);
        return;
    }
    if (event->button() == Qt::LeftButton && zooming_) {
        zooming_ = false;
        zoomEnd_ = event->position().toPoint();
        FinishZoom();
    } else if (event->button() == Qt::RightButton) {
        panning_ = false;
    }
}

void CChartCtrl::FinishZoom() {
    if (zoomEnd_.x() < zoomStart_.x() || zoomEnd_.y() < zoomStart_.y()) {
        // Dragged up or left: back to the full range.
        for (const auto& axis : axes_) {
            if (axis) {
                axis->UndoZoom();
            }
        }
        Redraw();
        return;
    }
    if (zoomEnd_.x() == zoomStart_.x() || zoomEnd_.y() == zoomStart_.y()) {
        // A click, or a rectangle without area: nothing changes but the rectangle goes away.
        update();
        return;
    }
    for (const auto& axis : axes_) {
        if (!axis) {
            continue;
        }
        // The value at the rectangle's lower-valued side first: left x or lower y, swapped on
        // an inverted axis.
        double lo = 0.0;
        double hi = 0.0;
        if (axis->IsHorizontal()) {
            lo = axis->ScreenToValue(zoomStart_.x());
            hi = axis->ScreenToValue(zoomEnd_.x());
        } else {
            lo = axis->ScreenToValue(zoomEnd_.y());
            hi = axis->ScreenToValue(zoomStart_.y());
        }
        if (axis->IsInverted()) {
            std::swap(lo, hi);
        }
        axis->SetZoomRange(lo, hi);
    }
    Redraw();
}

void CChartCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    for (auto layer = layers_.rbegin(); layer != layers_.rend(); ++layer) {
        if ((*layer)->MouseDoubleClick(*event)) {
            return;
        }
    }
    if (!axisGestures_) {
        QWidget::mouseDoubleClickEvent(event); // a second click
        return;
    }
    if (CChartAxis* axis = AxisAt(event->position().toPoint())) {
        axis->UndoZoom();
        Redraw();
    }
}

void CChartCtrl::wheelEvent(QWheelEvent* event) {
    for (auto layer = layers_.rbegin(); layer != layers_.rend(); ++layer) {
        if ((*layer)->Wheel(*event)) {
            event->accept();
            return;
        }
    }
    const QPoint position = event->position().toPoint();
    if (!axisGestures_ || !plottingRect_.ToQRect().contains(position) ||
        event->angleDelta().y() == 0) {
        QWidget::wheelEvent(event);
        return;
    }
    ZoomLeftAxis(position.y(), event->angleDelta().y());
    event->accept();
}

void CChartCtrl::leaveEvent(QEvent* event) {
    for (CChartLayer* layer : layers_) {
        layer->Leave();
    }
    if (!layers_.empty()) {
        update();
    }
    QWidget::leaveEvent(event);
}

void CChartCtrl::ZoomLeftAxis(int y, int angleDelta) {
    CChartAxis* left = GetLeftAxis();
    if (left == nullptr || left->GetMin() == left->GetMax()) {
        return;
    }
    // One notch (120) away from the user narrows the range by a fifth, towards the user widens
    // it by a quarter: the value under the pointer stays where it is.
    constexpr double kNotch = 120.0;
    const double factor = std::pow(0.8, angleDelta / kNotch);
    const double anchor = left->ScreenToValue(y);
    double lo = anchor - (anchor - left->GetMin()) * factor;
    double hi = anchor + (left->GetMax() - anchor) * factor;
    if (lo > hi) {
        std::swap(lo, hi);
    }
    left->SetZoomRange(lo, hi);
    Redraw();
}

CChartAxis* CChartCtrl::AxisAt(QPoint point) const {
    for (const auto& axis : axes_) {
        if (axis && axis->IsVisible() && axis->GetArea().ToQRect().contains(point)) {
            return axis.get();
        }
    }
    return nullptr;
}
