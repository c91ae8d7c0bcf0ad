#include "chart/CChartLegendBox.h"

#include "chart/CChartCtrl.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace {

constexpr int kFontPointTenths = 80;
constexpr int kInset = 4;   // from the plotting area's border
constexpr int kPadding = 3; // inside the box
constexpr int kSampleLength = 18;
constexpr int kSampleGap = 4;
constexpr int kEntryGap = 12; // between entries on a row

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
    image_ = QImage();
    chart_.Redraw();
}

void CChartLegendBox::Draw(QPainter& painter, const SChartRect& plot) {
    if (entries_.empty()) {
        return;
    }
    if (image_.isNull() || imageWidth_ != plot.Width()) {
        image_ = Render(plot.Width());
        imageWidth_ = plot.Width();
    }
    painter.save();
    painter.setClipRect(plot.ToQRect());
    painter.drawImage(plot.left + kInset, plot.top + kInset, image_);
    painter.restore();
}

QImage CChartLegendBox::Render(int plotWidth) const {
    const QFont font = chart_.MakeSansSerifFont(kFontPointTenths);
    const QFontMetrics metrics(font);
    const int lineHeight = metrics.height();
    const int room = plotWidth - 2 * kInset - 2 * kPadding;
    // Lay the entries out in rows: where each one starts, relative to the box.
    std::vector<QPoint> places;
    int x = 0;
    int row = 0;
    int width = 0;
    for (const Entry& entry : entries_) {
        const bool note = !entry.color.isValid();
        const int sample = note ? 0 : kSampleLength + kSampleGap;
        const int entryWidth = sample + metrics.horizontalAdvance(entry.text);
        if (x > 0 && (note || x + entryWidth > room)) {
            x = 0;
            ++row;
        }
        places.emplace_back(x, row * lineHeight);
        x += entryWidth + kEntryGap;
        width = std::max(width, x - kEntryGap);
        if (note) {
            x = room + 1; // nothing after a note on its row
        }
    }
    const QSize size(width + 2 * kPadding + 1, (row + 1) * lineHeight + 2 * kPadding + 1);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QColor(160, 160, 160));
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawRect(QRect(0, 0, size.width() - 1, size.height() - 1));
    painter.setFont(font);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& entry = entries_[i];
        const QPoint at = QPoint(kPadding, kPadding) + places[i];
        int textX = at.x();
        if (entry.color.isValid()) {
            const int middle = at.y() + lineHeight / 2;
            painter.setPen(QPen(entry.color, entry.width, entry.style, Qt::FlatCap));
            painter.drawLine(at.x(), middle, at.x() + kSampleLength, middle);
            textX += kSampleLength + kSampleGap;
        }
        painter.setPen(Qt::black);
        painter.drawText(textX, at.y() + metrics.ascent(), entry.text);
    }
    return image;
}
