#include "chart/CChartReadoutBox.h"

#include "chart/CChartCtrl.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int kFontPointTenths = 80;
constexpr int kInset = 4;
constexpr int kPadding = 3;

} // namespace

CChartReadoutBox::CChartReadoutBox(CChartCtrl& chart) : chart_(chart) {
    chart_.AddLayer(this);
}

CChartReadoutBox::~CChartReadoutBox() {
    chart_.RemoveLayer(this);
}

void CChartReadoutBox::SetLine(const QString& key, const QString& text) {
    const auto found = std::find_if(lines_.begin(), lines_.end(),
                                    [&key](const auto& line) { return line.first == key; });
    if (found == lines_.end()) {
        if (text.isEmpty()) {
            return;
        }
        lines_.emplace_back(key, text);
    } else if (text.isEmpty()) {
        lines_.erase(found);
    } else if (found->second != text) {
        found->second = text;
    } else {
        return;
    }
    chart_.Redraw();
}

QString CChartReadoutBox::Line(const QString& key) const {
    for (const auto& [lineKey, text] : lines_) {
        if (lineKey == key) {
            return text;
        }
    }
    return {};
}

void CChartReadoutBox::Draw(QPainter& painter, const SChartRect& plot) {
    if (lines_.empty()) {
        return;
    }
    const QFont font = chart_.MakeSansSerifFont(kFontPointTenths);
    const QFontMetrics metrics(font);
    int width = 0;
    for (const auto& line : lines_) {
        width = std::max(width, metrics.horizontalAdvance(line.second));
    }
    const int height = metrics.height() * static_cast<int>(lines_.size());
    const QRect box(plot.left + kInset, plot.bottom - kInset - height - 2 * kPadding,
                    width + 2 * kPadding, height + 2 * kPadding);
    painter.save();
    painter.setClipRect(plot.ToQRect());
    painter.setPen(QColor(160, 160, 160));
    painter.setBrush(QColor(255, 255, 255, 215));
    painter.drawRect(box);
    painter.setFont(font);
    painter.setPen(Qt::black);
    int y = box.top() + kPadding;
    for (const auto& line : lines_) {
        painter.drawText(box.left() + kPadding, y + metrics.ascent(), line.second);
        y += metrics.height();
    }
    painter.restore();
}
