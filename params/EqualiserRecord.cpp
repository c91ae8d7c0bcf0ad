#include "params/EqualiserRecord.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

template <class Record, std::size_t Bands, std::size_t Peaks>
Record Fill(const std::array<int32_t, Bands>& gains, const std::array<int32_t, Bands>& frequencies,
            const std::array<float, Peaks>& q) {
    static_assert(sizeof(Record::gain) / sizeof(float) == Bands);
    static_assert(sizeof(Record::q) / sizeof(float) == Peaks);
    Record record{};
    std::transform(gains.begin(), gains.end(), record.gain,
                   [](int32_t v) { return static_cast<float>(v); });
    std::transform(frequencies.begin(), frequencies.end(), record.frequency,
                   [](int32_t v) { return static_cast<float>(v); });
    std::copy(q.begin(), q.end(), record.q);
    return record;
}

} // namespace

EQ10Record EqualiserRecord::TenBand(const ParameterSet& set, int channel) {
    return channel == 0 ? Fill<EQ10Record>(set.EQGAINLEFT, set.EQCFLEFT, set.EQQLEFT)
                        : Fill<EQ10Record>(set.EQGAINRIGHT, set.EQCFRIGHT, set.EQQRIGHT);
}

EQ8Record EqualiserRecord::EightBand(const ParameterSet& set, int channel) {
    return channel == 0 ? Fill<EQ8Record>(set.EQGAINLEFT1, set.EQCFLEFT1, set.EQQLEFT1)
                        : Fill<EQ8Record>(set.EQGAINRIGHT1, set.EQCFRIGHT1, set.EQQRIGHT1);
}
