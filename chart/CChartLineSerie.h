#pragma once

#include "chart/CChartXYSerie.h"

#include <QPoint>
#include <cstdint>
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
    // The fast way, for curves redrawn while the mouse moves: a solid line wider than one pixel
    // is drawn as one-pixel lines side by side (a small brush) instead of being stroked with
    // round joins, and a run of points along one pixel row or column is one segment. Off by
    // default.
    bool IsFastDrawing() const { return fast_; }
    void SetFastDrawing(bool on);

    void DrawAll(QPainter& painter) override;

private:
    // What the polyline was built from: while it stays the same, the polyline is drawn again
    // as it is.
    struct Layout {
        std::uint64_t horizontal = 0; // the axes' serials
        std::uint64_t vertical = 0;
        double hMin = 0.0, hMax = 0.0, vMin = 0.0, vMax = 0.0;
        int hStart = 0, hEnd = 0, vStart = 0, vEnd = 0;
        bool hInverted = false, vInverted = false;
        SChartRect clip;
        int width = 0;
        bool fast = false;
        std::uint64_t points = 0;

        friend bool operator==(const Layout&, const Layout&) = default;
    };
    Layout CurrentLayout() const;
    // Builds polyline_ and pieceStarts_; false when there is nothing to draw.
    void BuildPolyline();

    int penWidth_ = 1;
    Qt::PenStyle penStyle_ = Qt::SolidLine;
    bool fast_ = false;
    // The polylines being drawn (screen positions) and where each begins, kept to spare an
    // allocation per redraw.
    std::vector<QPoint> polyline_;
    std::vector<std::size_t> pieceStarts_;
    Layout built_;
    bool haveBuilt_ = false;
};
