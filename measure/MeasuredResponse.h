#pragma once

#include <cstddef>
#include <vector>

// A magnitude response on its own points: frequencies in Hz (positive, strictly increasing) and
// levels in dB, one level per frequency.
struct MeasuredResponse {
    std::vector<double> frequencies;
    std::vector<double> levels;

    std::size_t Size() const { return frequencies.size(); }
    bool Empty() const { return frequencies.empty(); }
};
