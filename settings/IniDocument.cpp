#include "settings/IniDocument.h"

#include "settings/ProgramDirectory.h"
#include "settings/SafeFile.h"
#include "settings/TextCodec.h"

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

bool IsLineEnd(char16_t c) {
    return c == u'\r' || c == u'\n';
}

} // namespace

IniSection* IniDocument::FindSection(std::u16string_view name) const {
    const auto it = sections_.find(IniNameLess::Trim(name));
    return it == sections_.end() ? nullptr : it->second.get();
}

IniSection& IniDocument::FindOrAddSection(std::u16string_view name) {
    const std::u16string_view trimmed = IniNameLess::Trim(name);
    auto it = sections_.find(trimmed);
    if (it == sections_.end()) {
        std::u16string key(trimmed);
        auto section = std::make_unique<IniSection>(*this, key);
        it = sections_.emplace(std::move(key), std::move(section)).first;
    }
    return *it->second;
}

void IniDocument::ParseLine(std::u16string_view line, IniSection*& section) {
    while (!line.empty() && IsBlank(line.front())) {
        line.remove_prefix(1);
    }
    while (!line.empty() && IsLineEnd(line.back())) {
        line.remove_suffix(1);
    }
    if (line.empty()) {
        return;
    }
    // Section header: "[" first, and "]" the last character that is not blank or a line end.
    if (line.front() == u'[') {
        std::size_t last = line.size();
        while (last > 0 && (IsBlank(line[last - 1]) || IsLineEnd(line[last - 1]))) {
            --last;
        }
        if (last >= 2 && line[last - 1] == u']') {
            section = &FindOrAddSection(line.substr(1, last - 2));
            return;
        }
    }
    // Key line: an "=" that is not the first character. Before any header it is ignored.
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos || equals == 0 || section == nullptr) {
        return;
    }
    section->FindOrAddEntry(line.substr(0, equals))
        .SetValue(std::u16string(line.substr(equals + 1)));
}

void IniDocument::Parse(std::u16string_view text) {
    Clear();
    IniSection* section = nullptr;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string_view::npos) {
            end = text.size();
        }
        ParseLine(text.substr(start, end - start), section);
        start = end + 1;
    }
}

std::u16string IniDocument::Format() const {
    std::u16string text;
    for (const auto& [name, section] : sections_) {
        text += u'[';
        text += section->Name();
        text += u"]\r\n";
        for (const auto& [key, entry] : section->AllEntries()) {
            text += entry->Key();
            text += u'=';
            text += entry->Value();
            text += u"\r\n";
        }
    }
    return text;
}

bool ReadIniFile(IniDocument& document, const std::u16string& path) {
    std::string bytes;
    if (!SafeFile::Read(ProgramDirectory::Narrow(path), bytes)) {
        return false;
    }
    document.Parse(TextCodec::FromCp936(bytes));
    return true;
}

bool WriteIniFile(const IniDocument& document, const std::u16string& path) {
    return SafeFile::Write(ProgramDirectory::Narrow(path), TextCodec::ToCp936(document.Format())) ==
           SafeFileResult::Ok;
}
