#include "params/EqualiserBands.h"

#include "tool/ToolApi.h"

#include <algorithm>
#include <array>
#include <span>
#include <type_traits>

namespace {

// The three fields of one equaliser of one channel, of a set or of a const set.
template <class Int, class Float>
struct BandFields {
    std::span<Int> gains;
    std::span<Int> frequencies;
    std::span<Float> q;
};

template <class Set>
auto Fields(Set& set, EqualiserKind kind, int channel) {
    constexpr bool kConst = std::is_const_v<Set>;
    using Fields = BandFields<std::conditional_t<kConst, const int32_t, int32_t>,
                              std::conditional_t<kConst, const float, float>>;
    const bool left = channel == 0;
    if (kind == EqualiserKind::TenBand) {
        return left ? Fields{set.EQGAINLEFT, set.EQCFLEFT, set.EQQLEFT}
                    : Fields{set.EQGAINRIGHT, set.EQCFRIGHT, set.EQQRIGHT};
    }
    return left ? Fields{set.EQGAINLEFT1, set.EQCFLEFT1, set.EQQLEFT1}
                : Fields{set.EQGAINRIGHT1, set.EQCFRIGHT1, set.EQQRIGHT1};
}

} // namespace

int EqualiserBands::BandCount(EqualiserKind kind) {
    return kind == EqualiserKind::TenBand ? 10 : 8;
}

int EqualiserBands::RecordFloats(EqualiserKind kind) {
    return kind == EqualiserKind::TenBand ? kEQ10RecordFloats : kEQ8RecordFloats;
}

EqualiserBands EqualiserBands::Empty(EqualiserKind kind) {
    const auto bands = static_cast<std::size_t>(BandCount(kind));
    return EqualiserBands{kind, std::vector<int32_t>(bands, 0), std::vector<int32_t>(bands, 0),
                          std::vector<float>(bands - 2, 0.0f)};
}

EqualiserBands EqualiserBands::Of(const ParameterSet& set, EqualiserKind kind, int channel) {
    const auto fields = Fields(set, kind, channel);
    return EqualiserBands{kind,
                          {fields.gains.begin(), fields.gains.end()},
                          {fields.frequencies.begin(), fields.frequencies.end()},
                          {fields.q.begin(), fields.q.end()}};
}

void EqualiserBands::StoreInto(ParameterSet& set, int channel) const {
    const auto fields = Fields(set, kind, channel);
    std::copy_n(gains.begin(), std::min(gains.size(), fields.gains.size()), fields.gains.begin());
    std::copy_n(frequencies.begin(), std::min(frequencies.size(), fields.frequencies.size()),
                fields.frequencies.begin());
    std::copy_n(q.begin(), std::min(q.size(), fields.q.size()), fields.q.begin());
}

std::vector<float> EqualiserBands::Record() const {
    const auto bands = static_cast<std::size_t>(Bands());
    std::vector<float> record(static_cast<std::size_t>(RecordFloats(kind)), 0.0f);
    for (std::size_t i = 0; i < bands && i < gains.size(); ++i) {
        record[i] = static_cast<float>(gains[i]);
    }
    for (std::size_t i = 0; i < bands && i < frequencies.size(); ++i) {
        record[bands + i] = static_cast<float>(frequencies[i]);
    }
    for (std::size_t i = 0; i + 2 < bands && i < q.size(); ++i) {
        record[2 * bands + i] = q[i];
    }
    return record;
}
