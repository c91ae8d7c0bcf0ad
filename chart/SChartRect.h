#pragma once

#include <QRect>

// A rectangle in chart pixels, given by its four edges. Fills and clipping stop before the right
// and bottom edges; lines drawn through the four corners (the plotting area's border) touch them.
struct SChartRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    // The pixels a fill of this rectangle covers.
    QRect ToQRect() const { return QRect(left, top, Width(), Height()); }

    bool operator==(const SChartRect&) const = default;
};
