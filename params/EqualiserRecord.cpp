#include "params/EqualiserRecord.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace {

template <class T, std::size_t N>
void CopyInto(std::span<const T> values, float (&out)[N]) {
    const std::size_t count = std::min(values.size(), N);
    std::transform(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(count), out,
                   [](T v) { return static_cast<float>(v); });
}

template <class Record>
Record Fill(const ParameterSet& set, const EqualiserFields& fields, int channel) {
    Record record{};
    CopyInto(fields.gain.Of(channel).Ints(set), record.gain);
    CopyInto(fields.frequency.Of(channel).Ints(set), record.frequency);
    CopyInto(fields.q.Of(channel).Floats(set), record.q);
    return record;
}

} // namespace

EQ10Record EqualiserRecord::TenBand(const ParameterSet& set, int channel) {
    return Fill<EQ10Record>(set, kTenBandFields, channel);
}

EQ8Record EqualiserRecord::EightBand(const ParameterSet& set, int channel) {
    return Fill<EQ8Record>(set, kEightBandFields, channel);
}
