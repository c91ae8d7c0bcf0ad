#include "chart/CChartAxis.h"

#include "chart/CChartCtrl.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int TickFontPointTenths = 80;
// A safety net for the tick walk; the automatic increment gives about one tick per 20 pixels.
constexpr int MaxTickCount = 10000;
// Pixels beyond the span by more than this are held there: far outside any window, and far
// inside int.
constexpr double PixelOffsetLimit = 1.0e6;
// Floating-point pixels are held here, where a line's direction towards the visible part is
// still exact to far below a pixel.
constexpr double FarPixelOffsetLimit = 1.0e12;
// Pixel quotients this close below a whole number are taken as that number.
constexpr double PixelRoundingSlack = 1.0e-7;
// Blank pixels between neighbouring tick labels at least: side by side they must not touch (the
// digits would run together); one above the other the line height already leaves room.
constexpr int HorizontalLabelGap = 1;
constexpr int VerticalLabelGap = 0;
// Tick indices beyond this are not exact in a double: labels are then counted from the first.
constexpr double MaxExactTickIndex = 4503599627370496.0; // 2^52

// The label strides after `stride`: 1, 2, 5, 10, 20, 50, ...
double NextStride(double stride) {
    double decade = 1.0;
    while (decade * 10.0 <= stride) {
        decade *= 10.0;
    }
    const double mantissa = stride / decade;
    return decade * (mantissa < 1.5 ? 2.0 : mantissa < 3.5 ? 5.0 : 10.0);
}

// A horizontal or vertical segment from `from` towards `to`; the end point is not drawn.
void DrawSegment(QPainter& painter, QPoint from, QPoint to, const QColor& color) {
    if (from.y() == to.y()) {
        const int first = from.x() < to.x() ? from.x() : to.x() + 1;
        painter.fillRect(first, from.y(), std::abs(to.x() - from.x()), 1, color);
    } else {
        const int first = from.y() < to.y() ? from.y() : to.y() + 1;
        painter.fillRect(from.x(), first, 1, std::abs(to.y() - from.y()), color);
    }
}

} // namespace

CChartAxis::CChartAxis(CChartCtrl* owner, ChartAxisPosition position)
    : m_owner(owner), m_position(position),
      m_horizontal(position == ChartAxisPosition::Bottom || position == ChartAxisPosition::Top),
      m_secondary(position == ChartAxisPosition::Right || position == ChartAxisPosition::Top),
      m_tickFont(owner->MakeSansSerifFont(TickFontPointTenths)), m_grid(m_horizontal),
      m_label(owner, m_horizontal) {}

void CChartAxis::RequestRedraw() {
    m_owner->Redraw();
}

void CChartAxis::SetInverted(bool inverted) {
    m_inverted = inverted;
    RequestRedraw();
}

void CChartAxis::SetVisible(bool visible) {
    m_visible = visible;
    RequestRedraw();
}

void CChartAxis::SetMinMax(double min, double max) {
    m_min = min;
    m_max = max;
    m_savedMin = min;
    m_savedMax = max;
    RequestRedraw();
}

void CChartAxis::SetTickIncrement(bool automatic, double increment) {
    m_automaticTickIncrement = automatic;
    if (!automatic) {
        m_tickIncrement = std::isfinite(increment) && increment > 0.0 ? increment : 0.0;
    }
    RequestRedraw();
}

void CChartAxis::SetAxisColor(const QColor& color) {
    m_axisColor = color;
    RequestRedraw();
}

void CChartAxis::SetTextColor(const QColor& color) {
    m_textColor = color;
    RequestRedraw();
}

void CChartAxis::SetSpan(int start, int end) {
    m_start = start;
    m_end = end;
}

double CChartAxis::ValueToScreenF(double value) const {
    const int length = std::abs(m_end - m_start);
    if (m_min == m_max) {
        return m_horizontal ? m_start + length / 2 : m_start - length / 2;
    }
    // Whole pixels, rounded down; a quotient a hair below a whole pixel (decimal values such as
    // 0.29 are not exact in binary) counts as that pixel.
    double offset = std::floor(length * (value - m_min) / (m_max - m_min) + PixelRoundingSlack);
    if (std::isnan(offset)) {
        offset = 0.0;
    }
    offset = std::clamp(offset, -FarPixelOffsetLimit, FarPixelOffsetLimit);
    if (m_horizontal) {
        return m_inverted ? m_end - offset : m_start + offset;
    }
    return m_inverted ? m_end + offset : m_start - offset;
}

int CChartAxis::ValueToScreen(double value) const {
    const double low = std::min(m_start, m_end) - PixelOffsetLimit;
    const double high = std::max(m_start, m_end) + PixelOffsetLimit;
    return static_cast<int>(std::clamp(ValueToScreenF(value), low, high));
}

double CChartAxis::ScreenToValue(int pixel) const {
    const int length = std::abs(m_end - m_start);
    if (m_min == m_max || length == 0) {
        return m_min;
    }
    int offset = 0;
    if (m_horizontal) {
        offset = m_inverted ? m_end - pixel : pixel - m_start;
    } else {
        offset = m_inverted ? pixel - m_end : m_start - pixel;
    }
    return m_min + (static_cast<double>(offset) / length) * (m_max - m_min);
}

void CChartAxis::SetZoomRange(double lo, double hi) {
    if (!m_zoomEnabled || m_min == m_max) {
        return;
    }
    m_min = lo;
    m_max = hi - lo < m_minimumSpan ? lo + m_minimumSpan : hi;
}

void CChartAxis::UndoZoom() {
    m_min = m_savedMin;
    m_max = m_savedMax;
}

void CChartAxis::Pan(int from, int to) {
    const double shift = ScreenToValue(from) - ScreenToValue(to);
    m_min += shift;
    m_max += shift;
    RequestRedraw();
}

template <typename Visit>
void CChartAxis::ForEachTick(Visit visit) const {
    if (m_min == m_max) {
        visit(m_min);
        return;
    }
    double tick = GetFirstTickValue();
    for (int count = 0; count < MaxTickCount; ++count) {
        visit(tick);
        double next = 0.0;
        if (!GetNextTickValue(tick, next)) {
            return;
        }
        tick = next;
    }
}

std::vector<double> CChartAxis::GetTickValues() const {
    std::vector<double> values;
    ForEachTick([&values](double value) { values.push_back(value); });
    return values;
}

std::vector<CChartAxis::TickLabel> CChartAxis::TickLabels() const {
    const QFontMetrics metrics(m_tickFont);
    std::vector<TickLabel> labels;
    ForEachTick([&](double value) {
        const int pixel = GetTickPosition(value);
        if (!IsInSpan(pixel)) {
            return;
        }
        TickLabel label;
        label.value = value;
        label.pixel = pixel;
        label.text = GetTickLabelText(value);
        label.size = QSize(metrics.horizontalAdvance(label.text), metrics.height());
        label.origin = TickLabelOrigin(pixel, label.size);
        labels.push_back(label);
    });
    return labels;
}

bool CChartAxis::LabelsApart(const TickLabel& a, const TickLabel& b) const {
    const int aStart = m_horizontal ? a.origin.x() : a.origin.y();
    const int bStart = m_horizontal ? b.origin.x() : b.origin.y();
    const int aEnd = aStart + (m_horizontal ? a.size.width() : a.size.height());
    const int bEnd = bStart + (m_horizontal ? b.size.width() : b.size.height());
    const int gap = m_horizontal ? HorizontalLabelGap : VerticalLabelGap;
    return std::max(aStart, bStart) - std::min(aEnd, bEnd) >= gap;
}

void CChartAxis::ThinLabels(std::vector<TickLabel>& labels) const {
    const std::size_t count = labels.size();
    if (count < 2) {
        return;
    }
    // Labels are counted from the tick at zero, so that the ones kept stand at round values.
    double firstIndex = m_tickIncrement > 0.0 ? std::round(labels[0].value / m_tickIncrement) : 0.0;
    if (!std::isfinite(firstIndex) || std::abs(firstIndex) > MaxExactTickIndex) {
        firstIndex = 0.0;
    }
    const auto keptWith = [&](double stride, std::size_t i) {
        return std::fmod(firstIndex + static_cast<double>(i), stride) == 0.0;
    };
    for (double stride = 1.0; stride < static_cast<double>(count); stride = NextStride(stride)) {
        std::size_t kept = 0;
        const TickLabel* previous = nullptr;
        bool apart = true;
        for (std::size_t i = 0; i < count && apart; ++i) {
            if (keptWith(stride, i)) {
                apart = previous == nullptr || LabelsApart(*previous, labels[i]);
                previous = &labels[i];
                ++kept;
            }
        }
        if (apart && kept >= 2) {
            for (std::size_t i = 0; i < count; ++i) {
                labels[i].shown = keptWith(stride, i);
            }
            return;
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        labels[i].shown = i == 0 || i + 1 == count;
    }
}

std::vector<double> CChartAxis::GetLabelledTickValues() const {
    std::vector<TickLabel> labels = TickLabels();
    ThinLabels(labels);
    std::vector<double> values;
    for (const TickLabel& label : labels) {
        if (label.shown) {
            values.push_back(label.value);
        }
    }
    return values;
}

bool CChartAxis::IsInSpan(int pixel) const {
    return pixel >= std::min(m_start, m_end) && pixel <= std::max(m_start, m_end);
}

void CChartAxis::SetLayout(const SChartRect& chartArea, const SChartRect& plot) {
    m_area = chartArea;
    switch (m_position) {
    case ChartAxisPosition::Left:
        m_area.right = plot.left;
        break;
    case ChartAxisPosition::Bottom:
        m_area.top = plot.bottom;
        break;
    case ChartAxisPosition::Right:
        m_area.left = plot.right;
        break;
    case ChartAxisPosition::Top:
        m_area.bottom = plot.top;
        break;
    }
    if (m_horizontal) {
        SetSpan(plot.left, plot.right);
    } else {
        SetSpan(plot.bottom, plot.top);
    }
}

void CChartAxis::RefreshTicks() {
    RefreshTickIncrement();
    RefreshFirstTick();
    MeasureTickLabels();
}

void CChartAxis::MeasureTickLabels() {
    const QFontMetrics metrics(m_tickFont);
    int width = 0;
    int height = 0;
    ForEachTick([&](double value) {
        if (IsInSpan(GetTickPosition(value))) {
            width = std::max(width, metrics.horizontalAdvance(GetTickLabelText(value)));
            height = std::max(height, metrics.height());
        }
    });
    m_tickLabelExtent = QSize(width, height);
}

void CChartAxis::FitPlot(const SChartRect& chartArea, SChartRect& plot) const {
    if (!m_visible) {
        return;
    }
    const QSize label = m_label.GetSize();
    const int textWidth = m_tickLabelExtent.width();
    const int textHeight = m_tickLabelExtent.height();
    if (m_horizontal) {
        const int size = label.height() + textHeight + 6;
        if (m_secondary) {
            plot.top = std::max(plot.top, chartArea.top + size);
        } else {
            plot.bottom = std::min(plot.bottom, chartArea.bottom - size);
        }
        plot.right = std::min(plot.right, chartArea.right - textWidth / 2 - 3);
    } else {
        const int size = label.width() + textWidth + 10;
        if (m_secondary) {
            plot.right = std::min(plot.right, chartArea.right - size);
        } else {
            plot.left = std::max(plot.left, chartArea.left + size);
        }
        plot.top = std::max(plot.top, chartArea.top + textHeight / 2 + 3);
    }
}

void CChartAxis::DrawAxisLine(QPainter& painter) const {
    if (m_horizontal) {
        const int y = m_secondary ? m_area.bottom - 1 : m_area.top + 1;
        DrawSegment(painter, QPoint(m_start, y), QPoint(m_end, y), m_axisColor);
    } else {
        const int x = m_secondary ? m_area.left + 1 : m_area.right - 1;
        DrawSegment(painter, QPoint(x, m_start), QPoint(x, m_end), m_axisColor);
    }
}

void CChartAxis::DrawTickMark(QPainter& painter, int pixel) const {
    switch (m_position) {
    case ChartAxisPosition::Bottom:
        DrawSegment(painter, QPoint(pixel, m_area.top + 1), QPoint(pixel, m_area.top + 4),
                    m_axisColor);
        break;
    case ChartAxisPosition::Top:
        DrawSegment(painter, QPoint(pixel, m_area.bottom - 1), QPoint(pixel, m_area.bottom - 4),
                    m_axisColor);
        break;
    case ChartAxisPosition::Left:
        DrawSegment(painter, QPoint(m_area.right - 1, pixel), QPoint(m_area.right - 4, pixel),
                    m_axisColor);
        break;
    case ChartAxisPosition::Right:
        DrawSegment(painter, QPoint(m_area.left + 1, pixel), QPoint(m_area.left + 4, pixel),
                    m_axisColor);
        break;
    }
}

QPoint CChartAxis::LabelOrigin() const {
    // The label's rectangle is centred on the middle of the span; its text stands 2 pixels
    // inside the rectangle's top edge (horizontal label) or left edge (vertical label).
    constexpr int TextInset = 2;
    const QSize label = m_label.GetSize();
    switch (m_position) {
    case ChartAxisPosition::Bottom:
        return QPoint(SpanMiddle() - label.width() / 2,
                      m_area.top + m_tickLabelExtent.height() + 2 + TextInset);
    case ChartAxisPosition::Top:
        return QPoint(SpanMiddle() - label.width() / 2, m_area.top + TextInset);
    case ChartAxisPosition::Left:
        return QPoint(m_area.left + TextInset, SpanMiddle() + label.height() / 2);
    case ChartAxisPosition::Right:
        return QPoint(m_area.right - label.width() - 2 + TextInset,
                      SpanMiddle() + label.height() / 2);
    }
    return QPoint();
}

QPoint CChartAxis::TickLabelOrigin(int pixel, QSize textSize) const {
    switch (m_position) {
    case ChartAxisPosition::Bottom:
        return QPoint(pixel - textSize.width() / 2, m_area.top + 5);
    case ChartAxisPosition::Top:
        return QPoint(pixel - textSize.width() / 2, m_area.bottom - textSize.height() - 5);
    case ChartAxisPosition::Left:
        return QPoint(m_area.left + m_label.GetSize().width() + 4, pixel - textSize.height() / 2);
    case ChartAxisPosition::Right:
        return QPoint(m_area.left + 6, pixel - textSize.height() / 2);
    }
    return QPoint();
}

void CChartAxis::Draw(QPainter& painter, const SChartRect& plot) {
    m_grid.ClearTicks();
    if (!m_visible) {
        return;
    }
    painter.save();
    DrawAxisLine(painter);
    m_label.Draw(painter, LabelOrigin());

    const QFontMetrics metrics(m_tickFont);
    painter.setFont(m_tickFont);
    painter.setPen(m_textColor);
    painter.setBackgroundMode(Qt::TransparentMode);
    std::vector<TickLabel> labels = TickLabels();
    ThinLabels(labels);
    for (const TickLabel& label : labels) {
        DrawTickMark(painter, label.pixel);
        m_grid.AddTick(label.pixel);
        if (label.shown) {
            painter.drawText(label.origin.x(), label.origin.y() + metrics.ascent(), label.text);
        }
    }
    m_grid.Draw(painter, plot);
    painter.restore();
}
