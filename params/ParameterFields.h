#pragma once

#include "params/ParameterSet.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>
#include <variant>

// How config.ini reads a key of the parameter set.
enum class ConfigRead : uint8_t {
    Flag,             // integer text; true only for 1
    Integer,          // integer text
    DecimalTruncated, // decimal text truncated toward zero
    Decimal,          // decimal text as a float
    IntList,          // comma-separated integers, capacity = array length
    FloatList,        // comma-separated decimals, capacity = array length
};

enum class FieldType : uint8_t { Bool, Int32, Float };

// One field of the parameter set: its config.ini key (also its JSON key), how the configuration
// reads it, and the member it names.
struct ParameterField {
    template <class T>
    using Member = T ParameterSet::*;
    using AnyMember = std::variant<Member<bool>, Member<int32_t>, Member<float>,
                                   Member<std::array<int32_t, 10>>, Member<std::array<int32_t, 8>>,
                                   Member<std::array<float, 8>>, Member<std::array<float, 6>>>;

    std::string_view key;
    ConfigRead read;
    AnyMember member;

    // A field read as its type says: a flag, an integer, a decimal, an integer or a decimal list.
    template <class T>
    static constexpr ParameterField Of(std::string_view key, Member<T> member) {
        return {key, ReadOf<T>(), AnyMember(member)};
    }
    // A field read by another rule.
    template <class T>
    static constexpr ParameterField Of(std::string_view key, ConfigRead read, Member<T> member) {
        return {key, read, AnyMember(member)};
    }

    FieldType Type() const;
    std::size_t Count() const; // 1 for a scalar, the length for an array
    bool IsList() const { return read == ConfigRead::IntList || read == ConfigRead::FloatList; }

    // The field's values; the span of the other types is empty.
    std::span<bool> Bools(ParameterSet& set) const;
    std::span<int32_t> Ints(ParameterSet& set) const;
    std::span<float> Floats(ParameterSet& set) const;
    std::span<const bool> Bools(const ParameterSet& set) const;
    std::span<const int32_t> Ints(const ParameterSet& set) const;
    std::span<const float> Floats(const ParameterSet& set) const;

private:
    template <class T>
    static constexpr ConfigRead ReadOf() {
        if constexpr (std::is_same_v<T, bool>) {
            return ConfigRead::Flag;
        } else if constexpr (std::is_same_v<T, int32_t>) {
            return ConfigRead::Integer;
        } else if constexpr (std::is_same_v<T, float>) {
            return ConfigRead::Decimal;
        } else if constexpr (std::is_same_v<typename T::value_type, int32_t>) {
            return ConfigRead::IntList;
        } else {
            return ConfigRead::FloatList;
        }
    }
};

// Every field of the parameter set: the editor state, the switches and the public parameters
// from the table in ParameterFields.cpp, and both channels of every per-channel field from
// ChannelFields.
class ParameterFields {
public:
    // Every field in declaration order.
    static std::span<const ParameterField> All();
    // The field with this key (exact spelling), or null.
    static const ParameterField* Find(std::string_view key);
};
