#include "params/ParameterFields.h"

#include <type_traits>

namespace {

template <class M>
constexpr ParameterField F(std::string_view key, ConfigRead read, M member) {
    return ParameterField{key, read, ParameterField::AnyMember(member)};
}

// Declaration order of ParameterSet. Per-channel fields: L first, then R, then the limiter and
// the eight-band equaliser of both channels.
const ParameterField kFields[] = {
    F("Link", ConfigRead::Flag, &ParameterSet::Link),
    F("EQLink", ConfigRead::Flag, &ParameterSet::EQLink),
    F("EQLink1", ConfigRead::Flag, &ParameterSet::EQLink1),
    F("DRCLink", ConfigRead::Flag, &ParameterSet::DRCLink),
    F("LimitLink", ConfigRead::Flag, &ParameterSet::LimitLink),
    F("EQSwtch", ConfigRead::Flag, &ParameterSet::EQSwtch),
    F("EQSwtch1", ConfigRead::Flag, &ParameterSet::EQSwtch1),
    F("LimitSwtch", ConfigRead::Flag, &ParameterSet::LimitSwtch),
    F("DrcSwtch", ConfigRead::Flag, &ParameterSet::DrcSwtch),
    F("Channel", ConfigRead::Integer, &ParameterSet::Channel),
    F("EQChannel", ConfigRead::Integer, &ParameterSet::EQChannel),
    F("EQ1Channel", ConfigRead::Integer, &ParameterSet::EQ1Channel),
    F("DrcChannel", ConfigRead::Integer, &ParameterSet::DrcChannel),
    F("LimitChannel", ConfigRead::Integer, &ParameterSet::LimitChannel),
    F("SWFS", ConfigRead::Integer, &ParameterSet::SWFS),
    F("CHANUM", ConfigRead::Integer, &ParameterSet::CHANUM),
    F("SCTRGAINL1", ConfigRead::DecimalTruncated, &ParameterSet::SCTRGAINL1),
    F("SCTRGAINL2", ConfigRead::DecimalTruncated, &ParameterSet::SCTRGAINL2),
    F("EQGAINLEFT", ConfigRead::IntList, &ParameterSet::EQGAINLEFT),
    F("EQCFLEFT", ConfigRead::IntList, &ParameterSet::EQCFLEFT),
    F("EQQLEFT", ConfigRead::FloatList, &ParameterSet::EQQLEFT),
    F("DIVFREQ_L", ConfigRead::Integer, &ParameterSet::DIVFREQ_L),
    F("OFFSET_LL", ConfigRead::Integer, &ParameterSet::OFFSET_LL),
    F("THREL_LL", ConfigRead::Integer, &ParameterSet::THREL_LL),
    F("THREH_LL", ConfigRead::Integer, &ParameterSet::THREH_LL),
    F("ECALTIME_LL", ConfigRead::Integer, &ParameterSet::ECALTIME_LL),
    F("RATLNOM_LL", ConfigRead::Integer, &ParameterSet::RATLNOM_LL),
    F("RATLDEN_LL", ConfigRead::Integer, &ParameterSet::RATLDEN_LL),
    F("RATHNOM_LL", ConfigRead::Integer, &ParameterSet::RATHNOM_LL),
    F("RATHDEN_LL", ConfigRead::Integer, &ParameterSet::RATHDEN_LL),
    F("RSLTIME_LL", ConfigRead::Integer, &ParameterSet::RSLTIME_LL),
    F("SMTHTIME_LL", ConfigRead::Integer, &ParameterSet::SMTHTIME_LL),
    F("ATTATIME_LL", ConfigRead::Integer, &ParameterSet::ATTATIME_LL),
    F("OFFSET_LH", ConfigRead::Integer, &ParameterSet::OFFSET_LH),
    F("THREL_LH", ConfigRead::Integer, &ParameterSet::THREL_LH),
    F("THREH_LH", ConfigRead::Integer, &ParameterSet::THREH_LH),
    F("ECALTIME_LH", ConfigRead::Integer, &ParameterSet::ECALTIME_LH),
    F("RATLNOM_LH", ConfigRead::Integer, &ParameterSet::RATLNOM_LH),
    F("RATLDEN_LH", ConfigRead::Integer, &ParameterSet::RATLDEN_LH),
    F("RATHNOM_LH", ConfigRead::Integer, &ParameterSet::RATHNOM_LH),
    F("RATHDEN_LH", ConfigRead::Integer, &ParameterSet::RATHDEN_LH),
    F("RSLTIME_LH", ConfigRead::Integer, &ParameterSet::RSLTIME_LH),
    F("SMTHTIME_LH", ConfigRead::Integer, &ParameterSet::SMTHTIME_LH),
    F("ATTATIME_LH", ConfigRead::Integer, &ParameterSet::ATTATIME_LH),
    F("SCTRGAINR1", ConfigRead::Integer, &ParameterSet::SCTRGAINR1),
    F("SCTRGAINR2", ConfigRead::Integer, &ParameterSet::SCTRGAINR2),
    F("EQGAINRIGHT", ConfigRead::IntList, &ParameterSet::EQGAINRIGHT),
    F("EQCFRIGHT", ConfigRead::IntList, &ParameterSet::EQCFRIGHT),
    F("EQQRIGHT", ConfigRead::FloatList, &ParameterSet::EQQRIGHT),
    F("DIVFREQ_R", ConfigRead::Integer, &ParameterSet::DIVFREQ_R),
    F("OFFSET_RL", ConfigRead::Integer, &ParameterSet::OFFSET_RL),
    F("THREL_RL", ConfigRead::Integer, &ParameterSet::THREL_RL),
    F("THREH_RL", ConfigRead::Integer, &ParameterSet::THREH_RL),
    F("ECALTIME_RL", ConfigRead::Integer, &ParameterSet::ECALTIME_RL),
    F("RATLNOM_RL", ConfigRead::Integer, &ParameterSet::RATLNOM_RL),
    F("RATLDEN_RL", ConfigRead::Integer, &ParameterSet::RATLDEN_RL),
    F("RATHNOM_RL", ConfigRead::Integer, &ParameterSet::RATHNOM_RL),
    F("RATHDEN_RL", ConfigRead::Integer, &ParameterSet::RATHDEN_RL),
    F("RSLTIME_RL", ConfigRead::Integer, &ParameterSet::RSLTIME_RL),
    F("SMTHTIME_RL", ConfigRead::Integer, &ParameterSet::SMTHTIME_RL),
    F("ATTATIME_RL", ConfigRead::Integer, &ParameterSet::ATTATIME_RL),
    F("OFFSET_RH", ConfigRead::Integer, &ParameterSet::OFFSET_RH),
    F("THREL_RH", ConfigRead::Integer, &ParameterSet::THREL_RH),
    F("THREH_RH", ConfigRead::Integer, &ParameterSet::THREH_RH),
    F("ECALTIME_RH", ConfigRead::Integer, &ParameterSet::ECALTIME_RH),
    F("RATLNOM_RH", ConfigRead::Integer, &ParameterSet::RATLNOM_RH),
    F("RATLDEN_RH", ConfigRead::Integer, &ParameterSet::RATLDEN_RH),
    F("RATHNOM_RH", ConfigRead::Integer, &ParameterSet::RATHNOM_RH),
    F("RATHDEN_RH", ConfigRead::Integer, &ParameterSet::RATHDEN_RH),
    F("RSLTIME_RH", ConfigRead::Integer, &ParameterSet::RSLTIME_RH),
    F("SMTHTIME_RH", ConfigRead::Integer, &ParameterSet::SMTHTIME_RH),
    F("ATTATIME_RH", ConfigRead::Integer, &ParameterSet::ATTATIME_RH),
    F("LLMT_ECALTIME", ConfigRead::Decimal, &ParameterSet::LLMT_ECALTIME),
    F("LLMT_THRESHOLD", ConfigRead::Decimal, &ParameterSet::LLMT_THRESHOLD),
    F("LLMT_ATTACKTIME", ConfigRead::Decimal, &ParameterSet::LLMT_ATTACKTIME),
    F("LLMT_SMOOTHTIME", ConfigRead::Decimal, &ParameterSet::LLMT_SMOOTHTIME),
    F("RLMT_ECALTIME", ConfigRead::Decimal, &ParameterSet::RLMT_ECALTIME),
    F("RLMT_THRESHOLD", ConfigRead::Decimal, &ParameterSet::RLMT_THRESHOLD),
    F("RLMT_ATTACKTIME", ConfigRead::Decimal, &ParameterSet::RLMT_ATTACKTIME),
    F("RLMT_SMOOTHTIME", ConfigRead::Decimal, &ParameterSet::RLMT_SMOOTHTIME),
    F("EQGAINLEFT1", ConfigRead::IntList, &ParameterSet::EQGAINLEFT1),
    F("EQCFLEFT1", ConfigRead::IntList, &ParameterSet::EQCFLEFT1),
    F("EQQLEFT1", ConfigRead::FloatList, &ParameterSet::EQQLEFT1),
    F("EQGAINRIGHT1", ConfigRead::IntList, &ParameterSet::EQGAINRIGHT1),
    F("EQCFRIGHT1", ConfigRead::IntList, &ParameterSet::EQCFRIGHT1),
    F("EQQRIGHT1", ConfigRead::FloatList, &ParameterSet::EQQRIGHT1),
};

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
