#include "chart/CChartSerie.h"

#include "chart/CChartCtrl.h"

CChartSerie::CChartSerie(CChartCtrl* owner, CChartAxis* horizontalAxis, CChartAxis* verticalAxis,
                         const QColor& color)
    : m_owner(owner), m_horizontalAxis(horizontalAxis), m_verticalAxis(verticalAxis),
      m_serieId(s_nextSerieId++), m_color(color) {}

void CChartSerie::ReplaceAxis(const CChartAxis* replaced, CChartAxis* successor) {
    if (replaced == nullptr) {
        return;
    }
    if (m_horizontalAxis == replaced) {
        m_horizontalAxis = successor;
    }
    if (m_verticalAxis == replaced) {
        m_verticalAxis = successor;
    }
}

void CChartSerie::SetVisible(bool visible) {
    m_visible = visible;
    RequestRedraw();
}

void CChartSerie::SetColor(const QColor& color) {
    m_color = color;
    RequestRedraw();
}

void CChartSerie::RequestRedraw() {
    m_owner->Redraw();
}
