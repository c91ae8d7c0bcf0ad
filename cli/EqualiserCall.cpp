#include "cli/EqualiserCall.h"

#include "base/TextCodec.h"

std::optional<EqualiserCall> EqualiserCall::FromWord(std::string_view word) {
    if (word == "10") {
        return EqualiserCall(kTenBandLayout);
    }
    if (word == "8") {
        return EqualiserCall(kEightBandLayout);
    }
    return std::nullopt;
}

bool EqualiserCall::Run(std::vector<float>& record, std::vector<float>& curve, int32_t sampleRate,
                        float startFrequency, int32_t pointCount, CliIo& io) const {
    ToolLibrary library;
    library.Load(io.programDirectory);
    const EqProductFunction function = Bands() == 10 ? library.Eq10() : library.Eq8();
    if (function == nullptr) {
        io.err << TextCodec::ToUtf8(ToolLibrary::LoadFailureMessage()) << "\n";
        return false;
    }
    record.resize(layout_->floats);
    curve.resize(static_cast<std::size_t>(pointCount > 0 ? pointCount : 0));
    function(record.data(), curve.empty() ? nullptr : curve.data(), sampleRate, startFrequency,
             pointCount);
    return true;
}

std::vector<float> EqualiserCall::Section(const std::vector<float>& record, int band) const {
    const SectionPlace place = layout_->SectionOf(band);
    return {record[place.k], record[place.k + 1], record[place.c], record[place.c + 1],
            record[place.c + 2]};
}
