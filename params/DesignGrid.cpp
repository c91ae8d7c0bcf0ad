#include "params/DesignGrid.h"

#include "tool/FrequencyGrid.h"

#include <cmath>

DesignGrid DesignGrid::Display(int32_t sampleRate) {
    return DesignGrid{sampleRate, 20.0f, 1000};
}

bool DesignGrid::Valid() const {
    if (sampleRate < 2 || pointCount < 1 || pointCount > kMaxPoints ||
        !std::isfinite(startFrequency)) {
        return false;
    }
    return startFrequency < sonvex_grid::HalfRate(sampleRate);
}

std::vector<double> DesignGrid::Frequencies() const {
    if (!Valid()) {
        return {};
    }
    const float step = sonvex_grid::Step(sampleRate, startFrequency, pointCount);
    std::vector<double> frequencies(static_cast<std::size_t>(pointCount));
    for (int32_t i = 0; i < pointCount; ++i) {
        frequencies[static_cast<std::size_t>(i)] = sonvex_grid::Frequency(startFrequency, step, i);
    }
    return frequencies;
}
