#include "chart/CChartLegendBox.h"

#include "chart/CChartCtrl.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int kFontPointTenths = 80;
constexpr int kInset = 4;   // from the plotting area's border
constexpr int kPadding = 3; // inside the box
constexpr int kSampleLength = 18;
constexpr int kSampleGap = 5;

} // namespace

CChartLegendBox::CChartLegendBox(CChartCtrl& chart) : chart_(chart) {
    chart_.AddLayer(this);
}

CChartLegendBox::~CChartLegendBox() {
    chart_.RemoveLayer(this);
}

void CChartLegendBox::SetEntries(std::vector<Entry> entries) {
    if (entries == entries_) {
        return;
    }
    entries_ = std::move(entries);
    chart_.Redraw();
}

void CChartLegendBox::Draw(QPainter& painter, const SChartRect& plot) {
    if (entries_.empty()) {
        return;
    }
    const QFont font = chart_.MakeSansSerifFont(kFontPointTenths);
    const QFontMetrics metrics(font);
    int textWidth = 0;
    for (const Entry& entry : entries_) {
        textWidth = std::max(textWidth, metrics.horizontalAdvance(entry.text));
    }
    const int lineHeight = metrics.height();
    const QRect box(plot.left + kInset, plot.top + kInset,
                    2 * kPadding + kSampleLength + kSampleGap + textWidth,
                    2 * kPadding + lineHeight * static_cast<int>(entries_.size()));
    painter.save();
    painter.setClipRect(plot.ToQRect());
    painter.setPen(QColor(160, 160, 160));
    painter.setBrush(QColor(255, 255, 255, 215));
    painter.drawRect(box);
    painter.setFont(font);
    int y = box.top() + kPadding;
    for (const Entry& entry : entries_) {
        const int middle = y + lineHeight / 2;
        painter.setPen(QPen(entry.color, entry.width, entry.style, Qt::FlatCap));
        painter.drawLine(box.left() + kPadding, middle, box.left() + kPadding + kSampleLength,
                         middle);
        painter.setPen(Qt::black);
        painter.drawText(box.left() + kPadding + kSampleLength + kSampleGap, y + metrics.ascent(),
                         entry.text);
        y += lineHeight;
    }
    painter.restore();
}
