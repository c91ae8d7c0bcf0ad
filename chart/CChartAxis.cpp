#include "chart/CChartAxis.h"

#include "chart/CChartCtrl.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kTickFontPointTenths = 80;
// A safety net for the tick walk; the automatic increment gives about one tick per 20 pixels.
constexpr int kMaxTickCount = 10000;
// Pixels beyond the span by more than this are held there: far outside any window, and far
// inside int.
constexpr double kPixelOffsetLimit = 1.0e6;
// Floating-point pixels are held here, where a line's direction towards the visible part is
// still exact to far below a pixel.
constexpr double kFarPixelOffsetLimit = 1.0e12;
// Pixel quotients this close below a whole number are taken as that number.
constexpr double kPixelRoundingSlack = 1.0e-7;
// Blank pixels between neighbouring tick labels at least: side by side they must not touch (the
// digits would run together); one above the other the line height already leaves room.
constexpr int kHorizontalLabelGap = 1;
constexpr int kVerticalLabelGap = 0;
// Tick indices beyond this are not exact in a double: labels are then counted from the first.
constexpr double kMaxExactTickIndex = 4503599627370496.0; // 2^52

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
    : owner_(owner), position_(position),
      horizontal_(position == ChartAxisPosition::Bottom || position == ChartAxisPosition::Top),
      secondary_(position == ChartAxisPosition::Right || position == ChartAxisPosition::Top),
      tickFont_(owner->MakeSansSerifFont(kTickFontPointTenths)), grid_(horizontal_),
      label_(owner, horizontal_) {}

void CChartAxis::RequestRedraw() {
    owner_->Redraw();
}

void CChartAxis::SetInverted(bool inverted) {
    inverted_ = inverted;
    RequestRedraw();
}

void CChartAxis::SetVisible(bool visible) {
    visible_ = visible;
    RequestRedraw();
}

void CChartAxis::SetMinMax(double min, double max) {
    min_ = min;
    max_ = max;
    savedMin_ = min;
    savedMax_ = max;
    RequestRedraw();
}

void CChartAxis::SetTickIncrement(bool automatic, double increment) {
    automaticTickIncrement_ = automatic;
    if (!automatic) {
        tickIncrement_ = std::isfinite(increment) && increment > 0.0 ? increment : 0.0;
    }
    RequestRedraw();
}

void CChartAxis::SetAxisColor(const QColor& color) {
    axisColor_ = color;
    RequestRedraw();
}

void CChartAxis::SetTextColor(const QColor& color) {
    textColor_ = color;
    RequestRedraw();
}

void CChartAxis::SetSpan(int start, int end) {
    start_ = start;
    end_ = end;
}

double CChartAxis::ValueToScreenF(double value) const {
    const int length = std::abs(end_ - start_);
    if (min_ == max_) {
        return horizontal_ ? start_ + length / 2 : start_ - length / 2;
    }
    // Whole pixels, rounded down; a quotient a hair below a whole pixel (decimal values such as
    // 0.29 are not exact in binary) counts as that pixel.
    double low = 0.0;
    double high = 0.0;
    ScaledRange(low, high);
    double offset =
        std::floor(length * (ToScale(value) - low) / (high - low) + kPixelRoundingSlack);
    if (std::isnan(offset)) {
        offset = 0.0;
    }
    offset = std::clamp(offset, -kFarPixelOffsetLimit, kFarPixelOffsetLimit);
    if (horizontal_) {
        return inverted_ ? end_ - offset : start_ + offset;
    }
    return inverted_ ? end_ + offset : start_ - offset;
}

void CChartAxis::ScaledRange(double& low, double& high) const {
    // Compared bit for bit, so that a NaN range is kept as well as any other.
    if (!scaledValid_ || std::memcmp(scaledFor_, &min_, sizeof(double)) != 0 ||
        std::memcmp(scaledFor_ + 1, &max_, sizeof(double)) != 0) {
        scaledFor_[0] = min_;
        scaledFor_[1] = max_;
        scaled_[0] = ToScale(min_);
        scaled_[1] = ToScale(max_);
        scaledValid_ = true;
    }
    low = scaled_[0];
    high = scaled_[1];
}

int CChartAxis::TextWidth(const QString& text) const {
    const auto found = textWidths_.constFind(text);
    if (found != textWidths_.constEnd()) {
        return found.value();
    }
    // A few hundred texts at most: tick values of one axis while the user zooms.
    constexpr qsizetype kMaxKept = 4096;
    if (textWidths_.size() >= kMaxKept) {
        textWidths_.clear();
    }
    const int width = QFontMetrics(tickFont_).horizontalAdvance(text);
    textWidths_.insert(text, width);
    return width;
}

int CChartAxis::ValueToScreen(double value) const {
    const double low = std::min(start_, end_) - kPixelOffsetLimit;
    const double high = std::max(start_, end_) + kPixelOffsetLimit;
    return static_cast<int>(std::clamp(ValueToScreenF(value), low, high));
}

double CChartAxis::ScreenToValue(int pixel) const {
    const int length = std::abs(end_ - start_);
    if (min_ == max_ || length == 0) {
        return min_;
    }
    int offset = 0;
    if (horizontal_) {
        offset = inverted_ ? end_ - pixel : pixel - start_;
    } else {
        offset = inverted_ ? pixel - end_ : start_ - pixel;
    }
    double low = 0.0;
    double high = 0.0;
    ScaledRange(low, high);
    return FromScale(low + (static_cast<double>(offset) / length) * (high - low));
}

void CChartAxis::SetZoomRange(double lo, double hi) {
    if (!zoomEnabled_ || min_ == max_) {
        return;
    }
    min_ = lo;
    max_ = hi - lo < minimumSpan_ ? lo + minimumSpan_ : hi;
}

void CChartAxis::UndoZoom() {
    min_ = savedMin_;
    max_ = savedMax_;
}

void CChartAxis::Pan(int from, int to) {
    const double shift = ScreenToValue(from) - ScreenToValue(to);
    min_ += shift;
    max_ += shift;
    RequestRedraw();
}

template <typename Visit>
void CChartAxis::ForEachTick(Visit visit) const {
    if (min_ == max_) {
        visit(min_);
        return;
    }
    double tick = GetFirstTickValue();
    for (int count = 0; count < kMaxTickCount; ++count) {
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
    const QFontMetrics metrics(tickFont_);
    std::vector<TickLabel> labels;
    ForEachTick([&](double value) {
        const int pixel = GetTickPosition(value);
        if (!IsInSpan(pixel)) {
            return;
        }
        TickLabel label;
        label.value = value;
        label.pixel = pixel;
        label.major = IsMajorTick(value);
        label.shown = label.major;
        if (label.major) {
            label.text = GetTickLabelText(value);
            label.size = QSize(TextWidth(label.text), metrics.height());
            label.origin = TickLabelOrigin(pixel, label.size);
        }
        labels.push_back(label);
    });
    return labels;
}

bool CChartAxis::LabelsApart(const TickLabel& a, const TickLabel& b) const {
    const int aStart = horizontal_ ? a.origin.x() : a.origin.y();
    const int bStart = horizontal_ ? b.origin.x() : b.origin.y();
    const int aEnd = aStart + (horizontal_ ? a.size.width() : a.size.height());
    const int bEnd = bStart + (horizontal_ ? b.size.width() : b.size.height());
    const int gap = horizontal_ ? kHorizontalLabelGap : kVerticalLabelGap;
    return std::max(aStart, bStart) - std::min(aEnd, bEnd) >= gap;
}

void CChartAxis::ThinLabels(std::vector<TickLabel>& ticks) const {
    std::vector<TickLabel*> labels;
    for (TickLabel& tick : ticks) {
        if (tick.major) {
            labels.push_back(&tick);
        }
    }
    const std::size_t count = labels.size();
    if (count < 2) {
        return;
    }
    // Labels are counted from the tick at zero, so that the ones kept stand at round values.
    double firstIndex = tickIncrement_ > 0.0 ? std::round(labels[0]->value / tickIncrement_) : 0.0;
    if (!std::isfinite(firstIndex) || std::abs(firstIndex) > kMaxExactTickIndex) {
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
                apart = previous == nullptr || LabelsApart(*previous, *labels[i]);
                previous = labels[i];
                ++kept;
            }
        }
        if (apart && kept >= 2) {
            for (std::size_t i = 0; i < count; ++i) {
                labels[i]->shown = keptWith(stride, i);
            }
            return;
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        labels[i]->shown = i == 0 || i + 1 == count;
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
    return pixel >= std::min(start_, end_) && pixel <= std::max(start_, end_);
}

void CChartAxis::SetLayout(const SChartRect& chartArea, const SChartRect& plot) {
    area_ = chartArea;
    switch (position_) {
    case ChartAxisPosition::Left:
        area_.right = plot.left;
        break;
    case ChartAxisPosition::Bottom:
        area_.top = plot.bottom;
        break;
    case ChartAxisPosition::Right:
        area_.left = plot.right;
        break;
    case ChartAxisPosition::Top:
        area_.bottom = plot.top;
        break;
    }
    if (horizontal_) {
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
    const QFontMetrics metrics(tickFont_);
    int width = 0;
    int height = 0;
    ForEachTick([&](double value) {
        if (IsInSpan(GetTickPosition(value)) && IsMajorTick(value)) {
            width = std::max(width, TextWidth(GetTickLabelText(value)));
            height = std::max(height, metrics.height());
        }
    });
    tickLabelExtent_ = QSize(width, height);
}

void CChartAxis::FitPlot(const SChartRect& chartArea, SChartRect& plot) const {
    if (!visible_) {
        return;
    }
    const QSize label = label_.GetSize();
    const int textWidth = tickLabelExtent_.width();
    const int textHeight = tickLabelExtent_.height();
    if (horizontal_) {
        const int size = label.height() + textHeight + 6;
        if (secondary_) {
            plot.top = std::max(plot.top, chartArea.top + size);
        } else {
            plot.bottom = std::min(plot.bottom, chartArea.bottom - size);
        }
        plot.right = std::min(plot.right, chartArea.right - textWidth / 2 - 3);
    } else {
        const int size = label.width() + textWidth + 10;
        if (secondary_) {
            plot.right = std::min(plot.right, chartArea.right - size);
        } else {
            plot.left = std::max(plot.left, chartArea.left + size);
        }
        plot.top = std::max(plot.top, chartArea.top + textHeight / 2 + 3);
    }
}

void CChartAxis::DrawAxisLine(QPainter& painter) const {
    if (horizontal_) {
        const int y = secondary_ ? area_.bottom - 1 : area_.top + 1;
        DrawSegment(painter, QPoint(start_, y), QPoint(end_, y), axisColor_);
    } else {
        const int x = secondary_ ? area_.left + 1 : area_.right - 1;
        DrawSegment(painter, QPoint(x, start_), QPoint(x, end_), axisColor_);
    }
}

void CChartAxis::DrawTickMark(QPainter& painter, int pixel, int length) const {
    switch (position_) {
    case ChartAxisPosition::Bottom:
        DrawSegment(painter, QPoint(pixel, area_.top + 1), QPoint(pixel, area_.top + 1 + length),
                    axisColor_);
        break;
    case ChartAxisPosition::Top:
        DrawSegment(painter, QPoint(pixel, area_.bottom - 1),
                    QPoint(pixel, area_.bottom - 1 - length), axisColor_);
        break;
    case ChartAxisPosition::Left:
        DrawSegment(painter, QPoint(area_.right - 1, pixel),
                    QPoint(area_.right - 1 - length, pixel), axisColor_);
        break;
    case ChartAxisPosition::Right:
        DrawSegment(painter, QPoint(area_.left + 1, pixel), QPoint(area_.left + 1 + length, pixel),
                    axisColor_);
        break;
    }
}

QPoint CChartAxis::LabelOrigin() const {
    // The label's rectangle is centred on the middle of the span; its text stands 2 pixels
    // inside the rectangle's top edge (horizontal label) or left edge (vertical label).
    constexpr int kTextInset = 2;
    const QSize label = label_.GetSize();
    switch (position_) {
    case ChartAxisPosition::Bottom:
        return QPoint(SpanMiddle() - label.width() / 2,
                      area_.top + tickLabelExtent_.height() + 2 + kTextInset);
    case ChartAxisPosition::Top:
        return QPoint(SpanMiddle() - label.width() / 2, area_.top + kTextInset);
    case ChartAxisPosition::Left:
        return QPoint(area_.left + kTextInset, SpanMiddle() + label.height() / 2);
    case ChartAxisPosition::Right:
        return QPoint(area_.right - label.width() - 2 + kTextInset,
                      SpanMiddle() + label.height() / 2);
    }
    return QPoint();
}

QPoint CChartAxis::TickLabelOrigin(int pixel, QSize textSize) const {
    switch (position_) {
    case ChartAxisPosition::Bottom:
        return QPoint(pixel - textSize.width() / 2, area_.top + 5);
    case ChartAxisPosition::Top:
        return QPoint(pixel - textSize.width() / 2, area_.bottom - textSize.height() - 5);
    case ChartAxisPosition::Left:
        return QPoint(area_.left + label_.GetSize().width() + 4, pixel - textSize.height() / 2);
    case ChartAxisPosition::Right:
        return QPoint(area_.left + 6, pixel - textSize.height() / 2);
    }
    return QPoint();
}

void CChartAxis::Draw(QPainter& painter, const SChartRect& plot) {
    grid_.ClearTicks();
    if (!visible_) {
        return;
    }
    painter.save();
    DrawAxisLine(painter);
    label_.Draw(painter, LabelOrigin());

    const QFontMetrics metrics(tickFont_);
    painter.setFont(tickFont_);
    painter.setPen(textColor_);
    painter.setBackgroundMode(Qt::TransparentMode);
    std::vector<TickLabel> labels = TickLabels();
    ThinLabels(labels);
    // Major tick marks reach 3 pixels from the axis line, minor ones 2.
    constexpr int kMajorTickLength = 3;
    constexpr int kMinorTickLength = 2;
    for (const TickLabel& label : labels) {
        if (!label.major) {
            DrawTickMark(painter, label.pixel, kMinorTickLength);
            grid_.AddMinorTick(label.pixel);
            continue;
        }
        DrawTickMark(painter, label.pixel, kMajorTickLength);
        grid_.AddTick(label.pixel);
        if (label.shown) {
            painter.drawText(label.origin.x(), label.origin.y() + metrics.ascent(), label.text);
        }
    }
    grid_.Draw(painter, plot);
    painter.restore();
}
