#include "chart/CChartAxisLabel.h"

#include "chart/CChartCtrl.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int kLabelPointTenths = 100;
}

CChartAxisLabel::CChartAxisLabel(CChartCtrl* owner, bool horizontal)
    : owner_(owner), horizontal_(horizontal), font_(owner->MakeSansSerifFont(kLabelPointTenths)) {}

void CChartAxisLabel::SetText(const QString& text) {
    text_ = text;
    owner_->Redraw();
}

void CChartAxisLabel::SetVisible(bool visible) {
    visible_ = visible;
    owner_->Redraw();
}

void CChartAxisLabel::SetColor(const QColor& color) {
    color_ = color;
    owner_->Redraw();
}

QSize CChartAxisLabel::GetSize() const {
    if (!visible_ || text_.isEmpty()) {
        return QSize(0, 0);
    }
    const QFontMetrics metrics(font_);
    const QSize extent(metrics.horizontalAdvance(text_), metrics.height());
    return horizontal_ ? extent : extent.transposed();
}

void CChartAxisLabel::Draw(QPainter& painter, QPoint textOrigin) const {
    if (!visible_ || text_.isEmpty()) {
        return;
    }
    const QFontMetrics metrics(font_);
    painter.save();
    painter.setFont(font_);
    painter.setPen(color_);
    painter.translate(textOrigin);
    if (!horizontal_) {
        painter.rotate(-90.0);
    }
    painter.drawText(0, metrics.ascent(), text_);
    painter.restore();
}
