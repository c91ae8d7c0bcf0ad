#pragma once

#include "cli/CliCommand.h"
#include "params/ToolLibrary.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the curve and design commands share: the two equaliser shapes, their records, and the
// call into libTool.so loaded from the program directory.
class EqualiserCall {
public:
    // "10" or "8".
    static std::optional<EqualiserCall> FromWord(std::string_view word);

    int Bands() const { return bands_; }
    int Peaks() const { return bands_ - 2; }
    // Floats in the record; the band gains, frequencies and Q values come first, then the
    // coefficients.
    int RecordFloats() const;
    int InputFloats() const { return 2 * bands_ + Peaks(); }

    // Loads the library and calls the entry point of this shape on record. On failure writes
    // "load libTool.so fail!" to err and returns false.
    bool Run(std::vector<float>& record, std::vector<float>& curve, int32_t sampleRate,
             float startFrequency, int32_t pointCount, CliIo& io) const;

    // The LatticeSection of band (k1, k2, c0, c1, c2) from a designed record.
    std::vector<float> Section(const std::vector<float>& record, int band) const;

private:
    explicit EqualiserCall(int bands) : bands_(bands) {}
    int bands_;
};
