#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One filter of a parametric EQ file, as written there. Each number keeps its word (without its
// unit, in Hz or dB) so that a change can be reported as the file wrote it.
struct ParametricFilter {
    enum class Type { Peaking, LowShelf, HighShelf };

    int number = 0;   // "Filter 4:" is 4; a filter without a number counts its Filter lines
    int64_t line = 0; // the line of the file, from 1
    Type type = Type::Peaking;
    std::string typeWord; // "PK", "LSC", "HS 6dB", ...
    double slope = 0.0;   // the dB/octave a shelf names ("LS 6dB"), 0 when none
    double frequency = 0.0;
    std::string frequencyWord;
    double gain = 0.0;
    std::string gainWord;
    std::optional<double> q;
    std::string qWord;
    std::optional<double> bandwidth; // octaves ("BW Oct 1.0")
    std::string bandwidthWord;

    bool IsShelf() const { return type != Type::Peaking; }
};

// What a parametric EQ file holds: the filters that are on, in the file's order, and the sum of
// its Preamp lines.
struct ParametricEq {
    std::optional<double> preamp; // dB
    std::string preampWord;
    std::vector<ParametricFilter> filters;
};
