#pragma once

#include <string>
#include <string_view>

// Where translated message texts come from: the language file's section LANG, behind the
// language object (settings/CIniLocalLan.h), so that the text catalog needs nothing above it.
class TextSource {
public:
    virtual ~TextSource() = default;

    // The text stored under key in section LANG; empty when no language file has loaded or the
    // key is missing.
    virtual std::u16string LangText(std::u16string_view key) = 0;
};
