#include "base/TextCatalog.h"

#include <cstddef>

namespace {

constexpr TextEntry kEntries[] = {
#define SONVEX_TEXT_ENTRY(id, key, english) {TextId::id, key, english},
    SONVEX_TEXTS(SONVEX_TEXT_ENTRY)
#undef SONVEX_TEXT_ENTRY
};

bool IsDigit1To9(char16_t c) {
    return c >= u'1' && c <= u'9';
}

} // namespace

std::span<const TextEntry> TextCatalog::Entries() {
    return std::span<const TextEntry>(kEntries);
}

const TextEntry& TextCatalog::Entry(TextId id) {
    return kEntries[static_cast<std::size_t>(id)];
}

unsigned TextCatalog::Placeholders(std::u16string_view text) {
    unsigned found = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'%' && IsDigit1To9(text[i + 1])) {
            found |= 1U << (text[i + 1] - u'0');
            ++i;
        }
    }
    return found;
}

std::u16string TextCatalog::Text(TextId id) const {
    const TextEntry& entry = Entry(id);
    if (source_ != nullptr) {
        std::u16string translated = source_->LangText(entry.key);
        if (!translated.empty() && Placeholders(translated) == Placeholders(entry.english)) {
            return translated;
        }
    }
    return std::u16string(entry.english);
}

std::u16string TextCatalog::Format(TextId id,
                                   std::initializer_list<std::u16string_view> args) const {
    return Substitute(Text(id), args);
}

std::u16string TextCatalog::Substitute(std::u16string_view pattern,
                                       std::initializer_list<std::u16string_view> args) {
    std::u16string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'%' && i + 1 < pattern.size() && IsDigit1To9(pattern[i + 1])) {
            const auto index = static_cast<std::size_t>(pattern[i + 1] - u'1');
            if (index < args.size()) {
                text += *(args.begin() + index);
                ++i;
                continue;
            }
        }
        text += pattern[i];
    }
    return text;
}
