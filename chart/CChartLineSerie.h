#pragma once

#include "chart/CChartXYSerie.h"

#include <QPoint>
#include <vector>

// A series drawn as a polyline through its points, clipped to the plotting area. Points whose X
// or Y is not a finite number are left out; points on the same pixel as the one before too.
class CChartLineSerie : public CChartXYSerie {
public:
    using CChartXYSerie::CChartXYSerie;

    int GetWidth() const { return m_penWidth; }
    // Sets the pen width in pixels (at least 1) and redraws.
    void SetWidth(int width);
    Qt::PenStyle GetPenStyle() const { return m_penStyle; }
    void SetPenStyle(Qt::PenStyle style);

    void DrawAll(QPainter& painter) override;

private:
    int m_penWidth = 1;
    Qt::PenStyle m_penStyle = Qt::SolidLine;
    // The polylines being drawn (screen positions) and where each begins, kept to spare an
    // allocation per redraw.
    std::vector<QPoint> m_polyline;
    std::vector<std::size_t> m_pieceStarts;
};
