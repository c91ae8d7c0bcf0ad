#pragma once

// One point of a chart series: X along the horizontal axis, Y along the vertical axis.
struct SChartXYPoint {
    double X = 0.0;
    double Y = 0.0;
};
