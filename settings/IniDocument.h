#pragma once

#include "settings/IniFileResult.h"
#include "settings/IniNameLess.h"
#include "settings/IniSection.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>

// An INI file in memory: sections in name order (see IniNameLess), each with its entries.
class IniDocument {
public:
    using Sections = std::map<std::u16string, std::unique_ptr<IniSection>, IniNameLess>;

    IniDocument() = default;
    IniDocument(const IniDocument&) = delete;
    IniDocument& operator=(const IniDocument&) = delete;

    const Sections& AllSections() const { return sections_; }
    void Clear() { sections_.clear(); }

    // Both trim blanks and tabs from the name first. FindSection gives null when absent;
    // FindOrAddSection adds an empty section.
    IniSection* FindSection(std::u16string_view name) const;
    IniSection& FindOrAddSection(std::u16string_view name);

    // Parses INI text (already decoded) line by line into this document, which is emptied first.
    void Parse(std::u16string_view text);
    // The document as text: a header line per section, a key line per entry, CR LF line ends.
    // A section name that ends in a kept byte gets a blank before its "]", so that the byte
    // cannot join the bracket into another character (the blank is trimmed on reading).
    std::u16string Format() const;
    // Whether Format, written in code page 936, reads back as this very document: no CR or LF in
    // a name, key or value, every text held by code page 936, and every key line read as that
    // key. The first flaw is named.
    IniFileResult CheckStorable() const;

private:
    void ParseLine(std::u16string_view line, IniSection*& section);
    Sections sections_;
};

// Reads the file (code page 936) into the document; false, leaving the document as it was,
// when the file cannot be opened or read or is larger than kIniFileMaxBytes (and emptied when
// its text does not fit into memory).
IniFileResult ReadIniFile(IniDocument& document, const std::u16string& path);
// Writes the document to the file (code page 936, CR LF) safely; false when it cannot be
// written or would not read back the same (CheckStorable), and the old file then stays as it
// was.
IniFileResult WriteIniFile(const IniDocument& document, const std::u16string& path);
