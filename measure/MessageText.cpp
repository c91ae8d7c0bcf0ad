#include "measure/MessageText.h"

std::string MessageText::Format(std::string_view pattern,
                                std::initializer_list<std::string_view> arguments) {
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const auto index = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && index < arguments.size()) {
            text += *(arguments.begin() + index);
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}
