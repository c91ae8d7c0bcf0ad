#include "params/EqualiserBands.h"

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
auto ChannelSpans(Set& set, EqualiserKind kind, int channel) {
    const EqualiserFields& fields = EqualiserBands::Fields(kind);
    using Int = std::conditional_t<std::is_const_v<Set>, const int32_t, int32_t>;
    using Float = std::conditional_t<std::is_const_v<Set>, const float, float>;
    return BandFields<Int, Float>{fields.gain.Of(channel).Ints(set),
                                  fields.frequency.Of(channel).Ints(set),
                                  fields.q.Of(channel).Floats(set)};
}

} // namespace

const RecordLayout& EqualiserBands::Layout(EqualiserKind kind) {
    return kind == EqualiserKind::TenBand ? kTenBandLayout : kEightBandLayout;
}

const EqualiserFields& EqualiserBands::Fields(EqualiserKind kind) {
    return kind == EqualiserKind::TenBand ? EqualiserRecord::kTenBandFields
                                          : EqualiserRecord::kEightBandFields;
}

int EqualiserBands::BandCount(EqualiserKind kind) {
    return Layout(kind).bands;
}

int EqualiserBands::RecordFloats(EqualiserKind kind) {
    return static_cast<int>(Layout(kind).floats);
}

EqualiserBands EqualiserBands::Empty(EqualiserKind kind) {
    const auto bands = static_cast<std::size_t>(BandCount(kind));
    return EqualiserBands{kind, std::vector<int32_t>(bands, 0), std::vector<int32_t>(bands, 0),
                          std::vector<float>(bands - 2, 0.0f)};
}

EqualiserBands EqualiserBands::Of(const ParameterSet& set, EqualiserKind kind, int channel) {
    const auto fields = ChannelSpans(set, kind, channel);
    return EqualiserBands{kind,
                          {fields.gains.begin(), fields.gains.end()},
                          {fields.frequencies.begin(), fields.frequencies.end()},
                          {fields.q.begin(), fields.q.end()}};
}

void EqualiserBands::StoreInto(ParameterSet& set, int channel) const {
    const auto fields = ChannelSpans(set, kind, channel);
    std::copy_n(gains.begin(), std::min(gains.size(), fields.gains.size()), fields.gains.begin());
    std::copy_n(frequencies.begin(), std::min(frequencies.size(), fields.frequencies.size()),
                fields.frequencies.begin());
    std::copy_n(q.begin(), std::min(q.size(), fields.q.size()), fields.q.begin());
}

std::vector<float> EqualiserBands::Record() const {
    const RecordLayout& layout = Layout(kind);
    const auto bands = static_cast<std::size_t>(layout.bands);
    std::vector<float> record(layout.floats, 0.0f);
    for (std::size_t i = 0; i < bands && i < gains.size(); ++i) {
        record[layout.gain + i] = static_cast<float>(gains[i]);
    }
    for (std::size_t i = 0; i < bands && i < frequencies.size(); ++i) {
        record[layout.frequency + i] = static_cast<float>(frequencies[i]);
    }
    for (std::size_t i = 0; i + 2 < bands && i < q.size(); ++i) {
        record[layout.q + i] = q[i];
    }
    return record;
}
