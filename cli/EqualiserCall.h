#pragma once

#include "cli/CliCommand.h"
#include "params/ToolLibrary.h"
#include "tool/RecordLayout.h"

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

    const RecordLayout& Layout() const { return *layout_; }
    int Bands() const { return layout_->bands; }
    int Peaks() const { return layout_->Peaks(); }

    // Loads the library and calls the entry point of this shape on record (resized to the whole
    // record; the band gains, frequencies and Q values come first). On failure writes
    // "load libTool.so fail!" to err and returns false.
    bool Run(std::vector<float>& record, std::vector<float>& curve, int32_t sampleRate,
             float startFrequency, int32_t pointCount, CliIo& io) const;

    // The LatticeSection of band (k1, k2, c0, c1, c2) from a designed record.
    std::vector<float> Section(const std::vector<float>& record, int band) const;

private:
    explicit EqualiserCall(const RecordLayout& layout) : layout_(&layout) {}
    const RecordLayout* layout_;
};
