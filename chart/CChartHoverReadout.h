#pragma once

#include "chart/CChartLayer.h"

#include <QPoint>
#include <QString>
#include <functional>

class CChartCtrl;

// The values under the mouse pointer, written in the bottom right corner of the plotting area
// while the pointer is over it. The owner says how an (x, y) pair of the bottom and left axes is
// written. It is painted over the chart's image, so following the mouse costs no redraw.
class CChartHoverReadout : public CChartLayer {
public:
    using Format = std::function<QString(double x, double y)>;

    CChartHoverReadout(CChartCtrl& chart, Format format);
    ~CChartHoverReadout() override;
    CChartHoverReadout(const CChartHoverReadout&) = delete;
    CChartHoverReadout& operator=(const CChartHoverReadout&) = delete;

    // The text shown now; empty while the pointer is not over the plotting area.
    const QString& Text() const { return text_; }

    void PaintOver(QPainter& painter, const SChartRect& plot) override;
    bool MouseMove(QMouseEvent& event) override;
    void Leave() override;

private:
    CChartCtrl& chart_;
    Format format_;
    QString text_;
};
