#include "settings/IniLists.h"

#include "base/NumberText.h"

namespace {

template <class T, class Convert>
void ParseList(std::u16string_view text, std::span<T> values, Convert convert) {
    if (text.empty()) {
        return;
    }
    std::size_t position = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t comma = text.find(u',', position);
        if (comma == std::u16string_view::npos) {
            values[i] = convert(text.substr(position));
            return;
        }
        values[i] = comma == position ? T{} : convert(text.substr(position, comma - position));
        position = comma + 1;
    }
}

} // namespace

void ParseIntList(std::u16string_view text, std::span<int32_t> values) {
    ParseList(text, values,
              [](std::u16string_view element) { return NumberText::ParseInt(element); });
}

void ParseFloatList(std::u16string_view text, std::span<float> values) {
    ParseList(text, values,
              [](std::u16string_view element) { return NumberText::ParseFloat(element); });
}
