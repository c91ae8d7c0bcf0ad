#include "chart/CChartAxisLabel.h"

#include "chart/CChartCtrl.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int LabelPointTenths = 100;
}

CChartAxisLabel::CChartAxisLabel(CChartCtrl* owner, bool horizontal)
    : m_owner(owner), m_horizontal(horizontal), m_font(owner->MakeSansSerifFont(LabelPointTenths)) {
}

void CChartAxisLabel::SetText(const QString& text) {
    m_text = text;
    m_owner->Redraw();
}

void CChartAxisLabel::SetVisible(bool visible) {
    m_visible = visible;
    m_owner->Redraw();
}

void CChartAxisLabel::SetColor(const QColor& color) {
    m_color = color;
    m_owner->Redraw();
}

QSize CChartAxisLabel::GetSize() const {
    if (!m_visible || m_text.isEmpty()) {
        return QSize(0, 0);
    }
    const QFontMetrics metrics(m_font);
    const QSize extent(metrics.horizontalAdvance(m_text), metrics.height());
    return m_horizontal ? extent : extent.transposed();
}

void CChartAxisLabel::Draw(QPainter& painter, QPoint textOrigin) const {
    if (!m_visible || m_text.isEmpty()) {
        return;
    }
    const QFontMetrics metrics(m_font);
    painter.save();
    painter.setFont(m_font);
    painter.setPen(m_color);
    painter.translate(textOrigin);
    if (!m_horizontal) {
        painter.rotate(-90.0);
    }
    painter.drawText(0, metrics.ascent(), m_text);
    painter.restore();
}
