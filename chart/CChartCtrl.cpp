#include "chart/CChartCtrl.h"

#include "chart/CChartLineSerie.h"
#include "chart/CChartStandardAxis.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QResizeEvent>
#include <algorithm>

namespace {

constexpr int TitlePointTenths = 100;

// Colours of new series, by the number of series already in the chart, modulo 10.
constexpr std::array<QRgb, 10> SeriePalette = {
    qRgb(255, 0, 0),   qRgb(0, 150, 0),   qRgb(0, 0, 255),   qRgb(255, 255, 0), qRgb(0, 255, 255),
    qRgb(255, 128, 0), qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(255, 0, 255), qRgb(64, 128, 128)};

} // namespace

CChartCtrl::CChartCtrl(QWidget* parent)
    : QWidget(parent), m_title(MakeSansSerifFont(TitlePointTenths)) {
    // Painting copies the off-screen image over the whole window: no background erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::ArrowCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    const QPalette& colors = palette();
    m_backColor = colors.color(QPalette::Button);
    m_edgeOuterLight = colors.color(QPalette::Midlight);
    m_edgeOuterDark = colors.color(QPalette::Shadow);
    m_edgeInnerLight = colors.color(QPalette::Light);
    m_edgeInnerDark = colors.color(QPalette::Dark);
}

CChartCtrl::~CChartCtrl() {
    m_series.clear();
    for (auto& axis : m_axes) {
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

CChartStandardAxis* CChartCtrl::AddAxis(ChartAxisPosition position) {
    const auto index = static_cast<std::size_t>(position);
    if (index >= AxisCount) {
        return nullptr;
    }
    auto axis = std::make_unique<CChartStandardAxis>(this, position);
    CChartStandardAxis* added = axis.get();
    for (auto& entry : m_series) {
        entry.second->ReplaceAxis(m_axes[index].get(), added);
    }
    m_axes[index] = std::move(axis);
    Redraw();
    return added;
}

CChartAxis* CChartCtrl::GetAxis(ChartAxisPosition position) const {
    const auto index = static_cast<std::size_t>(position);
    return index < AxisCount ? m_axes[index].get() : nullptr;
}

CChartLineSerie* CChartCtrl::AddLineSerie() {
    CChartAxis* horizontal = GetBottomAxis();
    CChartAxis* vertical = GetLeftAxis();
    if (horizontal == nullptr || vertical == nullptr) {
        return nullptr;
    }
    const QColor color = QColor::fromRgb(SeriePalette[m_series.size() % SeriePalette.size()]);
    auto serie = std::make_unique<CChartLineSerie>(this, horizontal, vertical, color);
    CChartLineSerie* added = serie.get();
    m_series.emplace(added->GetSerieId(), std::move(serie));
    Redraw();
    return added;
}

CChartSerie* CChartCtrl::GetSerie(unsigned serieId) const {
    const auto found = m_series.find(serieId);
    return found == m_series.end() ? nullptr : found->second.get();
}

void CChartCtrl::RemoveAllSeries() {
    m_series.clear();
    Redraw();
}

void CChartCtrl::SetBackColor(const QColor& color) {
    m_backColor = color;
    Redraw();
}

void CChartCtrl::SetBorderColor(const QColor& color) {
    m_borderColor = color;
    Redraw();
}

bool CChartCtrl::WindowExists() const {
    return testAttribute(Qt::WA_WState_Created);
}

void CChartCtrl::Redraw() {
    if (m_redrawCounter <= 0) {
        m_redrawPending = true;
        return;
    }
    if (!WindowExists()) {
        return;
    }
    RebuildImage();
    update();
}

void CChartCtrl::HoldRedraw() {
    --m_redrawCounter;
}

void CChartCtrl::ReleaseRedraw() {
    ++m_redrawCounter;
    if (m_redrawCounter > 0 && m_redrawPending) {
        Redraw();
    }
}

void CChartCtrl::RebuildImage() {
    m_redrawPending = false;
    const QSize clientSize = size();
    if (clientSize.isEmpty()) {
        m_image = QImage();
        return;
    }
    if (m_image.size() != clientSize) {
        m_image = QImage(clientSize, QImage::Format_RGB32);
    }
    QPainter painter(&m_image);
    const SChartRect client{0, 0, clientSize.width(), clientSize.height()};
    DrawBackground(painter, client);
    DrawChart(painter, SChartRect{client.left + ChartInset, client.top + ChartInset,
                                  client.right - ChartInset, client.bottom - ChartInset});
}

void CChartCtrl::DrawBackground(QPainter& painter, const SChartRect& clientArea) {
    const QRect area = clientArea.ToQRect();
    painter.fillRect(area, m_backColor);
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
    ring(area, m_edgeOuterLight, m_edgeOuterDark);
    ring(area.adjusted(1, 1, -1, -1), m_edgeInnerLight, m_edgeInnerDark);
}

void CChartCtrl::LayOutAxes(const SChartRect& chartArea, SChartRect& plot) {
    // First pass: every axis takes the room its ticks and label need out of the plotting area.
    for (const auto& axis : m_axes) {
        if (axis) {
            axis->SetLayout(chartArea, plot);
            axis->RefreshTicks();
            axis->FitPlot(chartArea, plot);
        }
    }
    // Second pass: spans and ticks for the final plotting area.
    for (const auto& axis : m_axes) {
        if (axis) {
            axis->SetLayout(chartArea, plot);
            axis->RefreshTicks();
        }
    }
}

void CChartCtrl::DrawChart(QPainter& painter, const SChartRect& chartArea) {
    SChartRect plot = chartArea;
    // The title (without text) and the hidden legend take no room.
    plot.top += m_title.GetSize().height();
    LayOutAxes(chartArea, plot);
    m_plottingRect = plot;
    if (plot.IsEmpty()) {
        // Too small for a plotting area: the background alone.
        return;
    }
    for (const auto& axis : m_axes) {
        if (axis) {
            axis->Draw(painter, plot);
        }
    }
    DrawBorder(painter, plot);
    const SChartRect clip{plot.left, plot.top, plot.right + 1, plot.bottom + 1};
    for (const auto& entry : m_series) {
        entry.second->SetClippingRect(clip);
        entry.second->DrawAll(painter);
    }
}

void CChartCtrl::DrawBorder(QPainter& painter, const SChartRect& plot) const {
    // Top, right, bottom and left side through the four corners, corners included.
    const int width = plot.Width() + 1;
    const int height = plot.Height() + 1;
    painter.fillRect(plot.left, plot.top, width, 1, m_borderColor);
    painter.fillRect(plot.right, plot.top, 1, height, m_borderColor);
    painter.fillRect(plot.left, plot.bottom, width, 1, m_borderColor);
    painter.fillRect(plot.left, plot.top, 1, height, m_borderColor);
}

void CChartCtrl::paintEvent(QPaintEvent* /*event*/) {
    if (!m_paintedOnce) {
        m_paintedOnce = true;
        if (m_redrawCounter > 0) {
            RebuildImage();
        } else {
            m_redrawPending = true;
        }
    }
    QPainter painter(this);
    if (m_image.isNull()) {
        painter.fillRect(rect(), m_backColor);
    } else {
        painter.drawImage(0, 0, m_image);
    }
    if (m_zooming && m_zoomEnabled) {
        painter.setPen(QPen(m_zoomRectColor, 1));
        painter.setBrush(Qt::NoBrush);
        const QRect dragged = QRect(m_zoomStart, m_zoomEnd).normalized();
        painter.drawRect(QRect(dragged.topLeft(), dragged.size() - QSize(1, 1)));
    }
}

void CChartCtrl::resizeEvent(QResizeEvent* /*event*/) {
    m_image = QImage();
    Redraw();
}

void CChartCtrl::mousePressEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    if (event->button() == Qt::LeftButton && m_zoomEnabled) {
        m_zooming = true;
        m_zoomStart = position;
        m_zoomEnd = position;
    } else if (event->button() == Qt::RightButton && m_panEnabled) {
        m_panning = true;
        m_panLast = position;
    }
}

void CChartCtrl::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    if (m_zooming) {
        m_zoomEnd = position;
        update();
    }
    if (m_panning && position != m_panLast) {
        HoldRedraw();
        for (const auto& axis : m_axes) {
            if (axis && axis->IsHorizontal()) {
                axis->Pan(m_panLast.x(), position.x());
            } else if (axis) {
                axis->Pan(m_panLast.y(), position.y());
            }
        }
        m_panLast = position;
        ReleaseRedraw();
        repaint();
    }
}

void CChartCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_zooming) {
        m_zooming = false;
        m_zoomEnd = event->position().toPoint();
        FinishZoom();
    } else if (event->button() == Qt::RightButton) {
        m_panning = false;
    }
}

void CChartCtrl::FinishZoom() {
    if (m_zoomEnd.x() < m_zoomStart.x() || m_zoomEnd.y() < m_zoomStart.y()) {
        // Dragged up or left: back to the full range.
        for (const auto& axis : m_axes) {
            if (axis) {
                axis->UndoZoom();
            }
        }
        Redraw();
        return;
    }
    if (m_zoomEnd.x() == m_zoomStart.x() || m_zoomEnd.y() == m_zoomStart.y()) {
        // A click, or a rectangle without area: nothing changes but the rectangle goes away.
        update();
        return;
    }
    for (const auto& axis : m_axes) {
        if (!axis) {
            continue;
        }
        // The value at the rectangle's lower-valued side first: left x or lower y, swapped on
        // an inverted axis.
        double lo = 0.0;
        double hi = 0.0;
        if (axis->IsHorizontal()) {
            lo = axis->ScreenToValue(m_zoomStart.x());
            hi = axis->ScreenToValue(m_zoomEnd.x());
        } else {
            lo = axis->ScreenToValue(m_zoomEnd.y());
            hi = axis->ScreenToValue(m_zoomStart.y());
        }
        if (axis->IsInverted()) {
            std::swap(lo, hi);
        }
        axis->SetZoomRange(lo, hi);
    }
    Redraw();
}
