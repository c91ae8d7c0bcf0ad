#pragma once

#include "chart/CChartXYSerie.h"

#include <QPoint>
#include <vector>

// A series drawn as a polyline through its points, clipped to the plotting area. Points whose X
// or Y is not a finite number are left out; points on the same pixel as the one before too.
class CChartLineSerie : public CChartXYSerie {
public:
    using CChartXYSerie::CChartXYSerie;

    int GetWidth() const { return penWidth_; }
    // Sets the pen width in pixels (at least 1) and redraws.
    void SetWidth(int width);
    Qt::PenStyle GetPenStyle() const { return penStyle_; }
    void SetPenStyle(Qt::PenStyle style);

    void DrawAll(QPainter& painter) override;

private:
    int penWidth_ = 1;
    Qt::PenStyle penStyle_ = Qt::SolidLine;
    // The polylines being drawn (screen positions) and where each begins, kept to spare an
    // allocation per redraw.
    std::vector<QPoint> polyline_;
    std::vector<std::size_t> pieceStarts_;
};
