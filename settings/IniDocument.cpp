#include "settings/IniDocument.h"

#include "base/NativePath.h"
#include "base/SafeFile.h"
#include "base/TextCodec.h"

#include <new>

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

bool IsLineEnd(char16_t c) {
    return c == u'\r' || c == u'\n';
}

bool HasLineEnd(std::u16string_view text) {
    return text.find_first_of(u"\r\n") != std::u16string_view::npos;
}

// A key line "key=value" that reads back as this key: a key that is not empty, holds no "=",
// and does not make the line look like a section header.
bool KeyReadsBack(std::u16string_view key, std::u16string_view value) {
    if (key.empty() || key.find(u'=') != std::u16string_view::npos || IsBlank(key.front())) {
        return false;
    }
    if (key.front() != u'[') {
        return true;
    }
    std::size_t last = value.size();
    while (last > 0 && IsBlank(value[last - 1])) {
        --last;
    }
    return last == 0 || value[last - 1] != u']';
}

IniFileResult Flaw(IniFileStatus status, const std::u16string& section, const std::u16string& key) {
    IniFileResult result{status};
    result.section = section;
    result.key = key;
    return result;
}

// The flaw of one text of the document, or Ok.
IniFileStatus TextFlaw(std::u16string_view text) {
    if (HasLineEnd(text)) {
        return IniFileStatus::LineBreak;
    }
    return TextCodec::EncodesExactly(text) ? IniFileStatus::Ok : IniFileStatus::NotEncodable;
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
        if (!section->Name().empty() && TextCodec::IsEscapedByte(section->Name().back())) {
            text += u' ';
        }
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

IniFileResult IniDocument::CheckStorable() const {
    for (const auto& [name, section] : sections_) {
        const IniFileStatus nameFlaw = TextFlaw(section->Name());
        if (nameFlaw != IniFileStatus::Ok) {
            return Flaw(nameFlaw, section->Name(), {});
        }
        for (const auto& [key, entry] : section->AllEntries()) {
            IniFileStatus flaw = TextFlaw(entry->Key());
            if (flaw == IniFileStatus::Ok) {
                flaw = TextFlaw(entry->Value());
            }
            if (flaw == IniFileStatus::Ok && !KeyReadsBack(entry->Key(), entry->Value())) {
                flaw = IniFileStatus::BadKey;
            }
            if (flaw != IniFileStatus::Ok) {
                return Flaw(flaw, section->Name(), entry->Key());
            }
        }
    }
    return {};
}

IniFileResult ReadIniFile(IniDocument& document, const std::u16string& path) {
    std::string bytes;
    IniFileResult result;
    result.read = SafeFile::ReadWhole(NativePath::Narrow(path), bytes, kIniFileMaxBytes);
    if (result.read != SafeReadResult::Ok) {
        result.status = IniFileStatus::CannotRead;
        return result;
    }
    try {
        const std::u16string text = TextCodec::FromCp936(bytes);
        bytes = std::string();
        document.Parse(text);
    } catch (const std::bad_alloc&) {
        document.Clear(); // a part of the file is no document
        return IniFileResult{IniFileStatus::OutOfMemory};
    }
    return result;
}

IniFileResult WriteIniFile(const IniDocument& document, const std::u16string& path) {
    IniFileResult result = document.CheckStorable();
    if (!result.Ok()) {
        return result;
    }
    std::string bytes;
    try {
        bytes = TextCodec::ToCp936(document.Format());
    } catch (const std::bad_alloc&) {
        return IniFileResult{IniFileStatus::OutOfMemory};
    }
    result.write = SafeFile::Write(NativePath::Narrow(path), bytes);
    if (result.write != SafeFileResult::Ok) {
        result.status = IniFileStatus::CannotWrite;
    }
    return result;
}
