#include "chart/CChartSerie.h"

#include "chart/CChartCtrl.h"

CChartSerie::CChartSerie(CChartCtrl* owner, CChartAxis* horizontalAxis, CChartAxis* verticalAxis,
                         const QColor& color)
    : owner_(owner), horizontalAxis_(horizontalAxis), verticalAxis_(verticalAxis),
      serieId_(nextSerieId_++), color_(color) {}

void CChartSerie::ReplaceAxis(const CChartAxis* replaced, CChartAxis* successor) {
    if (replaced == nullptr) {
        return;
    }
    if (horizontalAxis_ == replaced) {
        horizontalAxis_ = successor;
    }
    if (verticalAxis_ == replaced) {
        verticalAxis_ = successor;
    }
}

void CChartSerie::SetVisible(bool visible) {
    visible_ = visible;
    RequestRedraw();
}

void CChartSerie::SetColor(const QColor& color) {
    color_ = color;
    RequestRedraw();
}

void CChartSerie::RequestRedraw() {
    owner_->Redraw();
}
