#pragma once

#include <optional>
#include <string_view>

// The frequency range over which a response is compared with its target, Hz, both ends
// included.
struct FitRange {
    double low = 20.0;
    double high = 20000.0;

    // Finite, 0 < low < high.
    bool Valid() const;
    // "LO-HI" (decimal numbers, e.g. "20-20000" or "31.5-16000"); none when it is not that or
    // not valid.
    static std::optional<FitRange> Parse(std::string_view text);
};
