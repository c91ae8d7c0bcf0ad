#pragma once

// One point of a chart series: x along the horizontal axis, y along the vertical axis.
struct SChartXYPoint {
    double x = 0.0;
    double y = 0.0;
};
