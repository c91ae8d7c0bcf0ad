#pragma once

#include "chart/SChartRect.h"

class QMouseEvent;
class QPainter;
class QWheelEvent;

// Something the chart draws over its series and that may take the mouse first: band handles,
// a legend, readouts. A layer is not owned by the chart; it removes itself (RemoveLayer) before
// it goes. Layers are drawn in the order they were added and asked for the mouse in the other
// order; a layer that takes a button press gets the moves and the release of that button.
class CChartLayer {
public:
    virtual ~CChartLayer() = default;

    // Into the off-screen image, after the series (so only when the chart redraws).
    virtual void Draw(QPainter& /*painter*/, const SChartRect& /*plot*/) {}
    // Over the copied image, at every paint: for what follows the mouse without a redraw.
    virtual void PaintOver(QPainter& /*painter*/, const SChartRect& /*plot*/) {}

    // Each returns whether the layer took the event; the chart then does nothing with it.
    virtual bool MousePress(QMouseEvent& /*event*/) { return false; }
    virtual bool MouseMove(QMouseEvent& /*event*/) { return false; }
    virtual bool MouseRelease(QMouseEvent& /*event*/) { return false; }
    virtual bool MouseDoubleClick(QMouseEvent& /*event*/) { return false; }
    virtual bool Wheel(QWheelEvent& /*event*/) { return false; }
    // The mouse left the chart.
    virtual void Leave() {}
};
