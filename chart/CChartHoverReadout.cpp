#include "chart/CChartHoverReadout.h"

#include "chart/CChartAxis.h"
#include "chart/CChartCtrl.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kFontPointTenths = 80;
constexpr int kInset = 4;
constexpr int kPadding = 3;

} // namespace

CChartHoverReadout::CChartHoverReadout(CChartCtrl& chart, Format format)
    : chart_(chart), format_(std::move(format)) {
    chart_.AddLayer(this);
}

CChartHoverReadout::~CChartHoverReadout() {
    chart_.RemoveLayer(this);
}

bool CChartHoverReadout::MouseMove(QMouseEvent& event) {
    const QPoint pixel = event.position().toPoint();
    const SChartRect& plot = chart_.GetPlottingRect();
    const CChartAxis* bottom = chart_.GetBottomAxis();
    const CChartAxis* left = chart_.GetLeftAxis();
    QString text;
    if (bottom != nullptr && left != nullptr && !plot.IsEmpty() && pixel.x() >= plot.left &&
        pixel.x() <= plot.right && pixel.y() >= plot.top && pixel.y() <= plot.bottom) {
        text = format_(bottom->ScreenToValue(pixel.x()), left->ScreenToValue(pixel.y()));
    }
    if (text != text_) {
        text_ = text;
        chart_.update();
    }
    return false; // the chart goes on with zoom and pan
}

void CChartHoverReadout::Leave() {
    text_.clear();
}

void CChartHoverReadout::PaintOver(QPainter& painter, const SChartRect& plot) {
    if (text_.isEmpty()) {
        return;
    }
    const QFont font = chart_.MakeSansSerifFont(kFontPointTenths);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text_) + 2 * kPadding;
    const int height = metrics.height() + 2 * kPadding;
    const QRect box(plot.right - kInset - width, plot.bottom - kInset - height, width, height);
    painter.save();
    painter.setClipRect(plot.ToQRect());
    painter.setPen(QColor(160, 160, 160));
    painter.setBrush(QColor(255, 255, 255, 230));
    painter.drawRect(box);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(box.left() + kPadding, box.top() + kPadding + metrics.ascent(), text_);
    painter.restore();
}
