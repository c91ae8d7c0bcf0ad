#pragma once

#include <string>
#include <string_view>

// The order of INI names: each ASCII letter A to Z counts as its lower-case form, then the names
// compare code unit by code unit (UTF-16), a shorter name before a longer one that it begins.
// So "Language" sorts before "system", and "EQ_X" before "EQa".
struct IniNameLess {
    using is_transparent = void;
    bool operator()(std::u16string_view a, std::u16string_view b) const;

    // Removes blanks and tabs from both ends.
    static std::u16string_view Trim(std::u16string_view name);
};
