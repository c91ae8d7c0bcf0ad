#pragma once

#include <string>

class IniSection;

// One key line of an INI document: its key as first created, its section and its value.
class IniEntry {
public:
    IniEntry(IniSection& section, std::u16string key) : section_(section), key_(std::move(key)) {}

    const std::u16string& Key() const { return key_; }
    IniSection& Section() const { return section_; }
    const std::u16string& Value() const { return value_; }
    void SetValue(std::u16string value) { value_ = std::move(value); }

private:
    IniSection& section_;
    std::u16string key_;
    std::u16string value_;
};
