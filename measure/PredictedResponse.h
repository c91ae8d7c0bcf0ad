#pragma once

#include "measure/MeasuredResponse.h"

#include <vector>

// The response the device would give: the measurement plus the chain, the chain (given on the
// frequencies of a design grid) interpolated linearly in log-frequency onto the measured points.
// It exists only on the measured points; beyond the grid's ends the chain's end values hold.
// Empty when the chain is not given on every grid frequency.
class PredictedResponse {
public:
    static MeasuredResponse Of(const MeasuredResponse& measurement,
                               const std::vector<double>& gridFrequencies,
                               const std::vector<double>& chainOnGrid);
};
