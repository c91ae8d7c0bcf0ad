#include "params/ParameterFields.h"

#include "params/ChannelFields.h"

#include <type_traits>

namespace {

using P = ParameterSet;
using F = ParameterField;

// The fields that are not per channel, in the order of ParameterSet: editor state, switches and
// the public parameters.
constexpr ParameterField kOwnFields[] = {
    F::Of("Link", &P::Link),
    F::Of("EQLink", &P::EQLink),
    F::Of("EQLink1", &P::EQLink1),
    F::Of("DRCLink", &P::DRCLink),
    F::Of("LimitLink", &P::LimitLink),
    F::Of("EQSwtch", &P::EQSwtch),
    F::Of("EQSwtch1", &P::EQSwtch1),
    F::Of("LimitSwtch", &P::LimitSwtch),
    F::Of("DrcSwtch", &P::DrcSwtch),
    F::Of("Channel", &P::Channel),
    F::Of("EQChannel", &P::EQChannel),
    F::Of("EQ1Channel", &P::EQ1Channel),
    F::Of("DrcChannel", &P::DrcChannel),
    F::Of("LimitChannel", &P::LimitChannel),
    F::Of("SWFS", &P::SWFS),
    F::Of("CHANUM", &P::CHANUM),
};

// ParameterSet declares channel L's gains, ten-band equaliser and DRC, then channel R's; then
// the limiter of L and of R; then the eight-band equaliser of L and of R.
constexpr int DeclarationGroup(ParameterArea area) {
    switch (area) {
    case ParameterArea::Limiter:
        return 1;
    case ParameterArea::EightBandEq:
        return 2;
    default:
        return 0;
    }
}

constexpr std::size_t kFieldCount = std::size(kOwnFields) + 2 * ChannelFields::All().size();

constexpr std::array<ParameterField, kFieldCount> AllFields() {
    std::array<ParameterField, kFieldCount> fields{};
    std::size_t n = 0;
    for (const ParameterField& field : kOwnFields) {
        fields[n++] = field;
    }
    for (int group = 0; group <= 2; ++group) {
        for (int channel = 0; channel < 2; ++channel) {
            for (const ChannelField& row : ChannelFields::All()) {
                if (DeclarationGroup(row.area) == group) {
                    fields[n++] = row.Of(channel);
                }
            }
        }
    }
    return fields;
}

constexpr std::array<ParameterField, kFieldCount> kFields = AllFields();

constexpr bool EveryKeyOnce() {
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        for (std::size_t j = i + 1; j < kFields.size(); ++j) {
            if (kFields[i].key == kFields[j].key || kFields[i].member == kFields[j].member) {
                return false;
            }
        }
    }
    return true;
}
static_assert(EveryKeyOnce(), "two fields with one key or one member");

template <class V>
struct ArrayTraits {
    using Element = V;
    static constexpr std::size_t kCount = 1;
};
template <class E, std::size_t N>
struct ArrayTraits<std::array<E, N>> {
    using Element = E;
    static constexpr std::size_t kCount = N;
};

template <class T, class Set>
auto SpanOf(const ParameterField::AnyMember& member, Set& set) {
    using Element = std::conditional_t<std::is_const_v<Set>, const T, T>;
    return std::visit(
        [&set](auto m) -> std::span<Element> {
            auto& value = set.*m;
            using V = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<V, T>) {
                return std::span<Element>(&value, 1);
            } else if constexpr (std::is_same_v<typename ArrayTraits<V>::Element, T>) {
                return std::span<Element>(value.data(), value.size());
            } else {
                return {};
            }
        },
        member);
}

} // namespace

FieldType ParameterField::Type() const {
    return std::visit(
        [](auto m) {
            using V = std::remove_cvref_t<decltype(ParameterSet{}.*m)>;
            using E = typename ArrayTraits<V>::Element;
            if constexpr (std::is_same_v<E, bool>) {
                return FieldType::Bool;
            } else if constexpr (std::is_same_v<E, int32_t>) {
                return FieldType::Int32;
            } else {
                return FieldType::Float;
            }
        },
        member);
}

std::size_t ParameterField::Count() const {
    return std::visit(
        [](auto m) {
            using V = std::remove_cvref_t<decltype(ParameterSet{}.*m)>;
            return ArrayTraits<V>::kCount;
        },
        member);
}

std::span<bool> ParameterField::Bools(ParameterSet& set) const {
    return SpanOf<bool>(member, set);
}
std::span<int32_t> ParameterField::Ints(ParameterSet& set) const {
    return SpanOf<int32_t>(member, set);
}
std::span<float> ParameterField::Floats(ParameterSet& set) const {
    return SpanOf<float>(member, set);
}
std::span<const bool> ParameterField::Bools(const ParameterSet& set) const {
    return SpanOf<bool>(member, set);
}
std::span<const int32_t> ParameterField::Ints(const ParameterSet& set) const {
    return SpanOf<int32_t>(member, set);
}
std::span<const float> ParameterField::Floats(const ParameterSet& set) const {
    return SpanOf<float>(member, set);
}

std::span<const ParameterField> ParameterFields::All() {
    return kFields;
}

const ParameterField* ParameterFields::Find(std::string_view key) {
    for (const ParameterField& field : kFields) {
        if (field.key == key) {
            return &field;
        }
    }
    return nullptr;
}
