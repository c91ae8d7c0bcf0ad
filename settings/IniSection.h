#pragma once

#include "settings/IniEntry.h"
#include "settings/IniNameLess.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>

class IniDocument;

// A section of an INI document: its name as first created and its entries in key order.
class IniSection {
public:
    using Entries = std::map<std::u16string, std::unique_ptr<IniEntry>, IniNameLess>;

    IniSection(IniDocument& document, std::u16string name)
        : document_(document), name_(std::move(name)) {}
    IniSection(const IniSection&) = delete;
    IniSection& operator=(const IniSection&) = delete;

    const std::u16string& Name() const { return name_; }
    IniDocument& Document() const { return document_; }
    const Entries& AllEntries() const { return entries_; }

    // Both trim blanks and tabs from the key first. FindEntry gives null when absent;
    // FindOrAddEntry adds an entry with an empty value.
    IniEntry* FindEntry(std::u16string_view key) const;
    IniEntry& FindOrAddEntry(std::u16string_view key);

private:
    IniDocument& document_;
    std::u16string name_;
    Entries entries_;
};
