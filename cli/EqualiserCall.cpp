#include "cli/EqualiserCall.h"

#include "base/TextCodec.h"

std::optional<EqualiserCall> EqualiserCall::FromWord(std::string_view word) {
    if (word == "10") {
        return EqualiserCall(10);
    }
    if (word == "8") {
        return EqualiserCall(8);
    }
    return std::nullopt;
}

int EqualiserCall::RecordFloats() const {
    return bands_ == 10 ? kEQ10RecordFloats : kEQ8RecordFloats;
}

bool EqualiserCall::Run(std::vector<float>& record, std::vector<float>& curve, int32_t sampleRate,
                        float startFrequency, int32_t pointCount, CliIo& io) const {
    ToolLibrary library;
    library.Load(io.programDirectory);
    const EqProductFunction function = bands_ == 10 ? library.Eq10() : library.Eq8();
    if (function == nullptr) {
        io.err << TextCodec::ToUtf8(ToolLibrary::LoadFailureMessage()) << "\n";
        return false;
    }
    record.resize(static_cast<std::size_t>(RecordFloats()));
    curve.resize(static_cast<std::size_t>(pointCount > 0 ? pointCount : 0));
    function(record.data(), curve.empty() ? nullptr : curve.data(), sampleRate, startFrequency,
             pointCount);
    return true;
}

std::vector<float> EqualiserCall::Section(const std::vector<float>& record, int band) const {
    // Outputs: low shelf, (k1, k2) of each peak, (c0, c1, c2) of each peak, high shelf.
    const std::size_t lowShelf = static_cast<std::size_t>(InputFloats());
    const std::size_t peakK = lowShelf + 5;
    const std::size_t peakC = peakK + 2 * static_cast<std::size_t>(Peaks());
    const std::size_t highShelf = peakC + 3 * static_cast<std::size_t>(Peaks());
    std::size_t k = 0;
    std::size_t c = 0;
    if (band == 0 || band == bands_ - 1) {
        k = band == 0 ? lowShelf : highShelf;
        c = k + 2;
    } else {
        k = peakK + 2 * static_cast<std::size_t>(band - 1);
        c = peakC + 3 * static_cast<std::size_t>(band - 1);
    }
    return {record[k], record[k + 1], record[c], record[c + 1], record[c + 2]};
}
