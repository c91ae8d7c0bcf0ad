#include "base/TextCatalog.h"

#include "base/TextCodec.h"

#include <cstddef>
#include <vector>

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

std::u16string TextCatalog::FormatKey(std::string_view key, std::string_view pattern,
                                      std::span<const std::string> args) const {
    std::vector<std::u16string> wide;
    wide.reserve(args.size());
    for (const std::string& arg : args) {
        wide.push_back(TextCodec::FromUtf8(arg));
    }
    const std::u16string wideKey = TextCodec::FromUtf8(key);
    for (const TextEntry& entry : kEntries) {
        if (entry.key == wideKey) {
            return SubstituteAll(Text(entry.id), wide);
        }
    }
    return SubstituteAll(TextCodec::FromUtf8(pattern), wide);
}

std::u16string TextCatalog::Substitute(std::u16string_view pattern,
                                       std::initializer_list<std::u16string_view> args) {
    const std::vector<std::u16string> copies(args.begin(), args.end());
    return SubstituteAll(pattern, copies);
}

std::u16string TextCatalog::SubstituteAll(std::u16string_view pattern,
                                          std::span<const std::u16string> args) {
    std::u16string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'%' && i + 1 < pattern.size() && IsDigit1To9(pattern[i + 1])) {
            const auto index = static_cast<std::size_t>(pattern[i + 1] - u'1');
            if (index < args.size()) {
                text += args[index];
                ++i;
                continue;
            }
        }
        text += pattern[i];
    }
    return text;
}
