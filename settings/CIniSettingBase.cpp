#include "settings/CIniSettingBase.h"

#include "base/NativePath.h"
#include "base/NumberText.h"
#include "params/ParameterFields.h"
#include "settings/IniLists.h"

#include <vector>

namespace {

bool IsOne(const std::u16string& text) {
    return NumberText::ParseInt(text) == 1;
}

std::u16string Flag(bool value) {
    return value ? u"1" : u"0";
}

template <class T, class Format>
std::u16string JoinList(std::span<const T> values, Format format) {
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) {
            text += ',';
        }
        text += format(values[i]);
    }
    return NumberText::Widen(text);
}

std::string FormatFloat(float value) {
    return NumberText::FormatFixed(value, 6);
}

std::string FormatInt(int32_t value) {
    return NumberText::FormatInt(value);
}

// The text of a field in the format config.ini stores it in.
std::u16string FieldText(const ParameterField& field, const ParameterSet& set) {
    switch (field.Type()) {
    case FieldType::Bool:
        return Flag(field.Bools(set)[0]);
    case FieldType::Int32:
        return JoinList(field.Ints(set), FormatInt);
    case FieldType::Float:
        return JoinList(field.Floats(set), FormatFloat);
    }
    return {};
}

// Reads one field from its text by the field's configuration rule.
void ReadField(const ParameterField& field, const std::u16string& text, ParameterSet& set) {
    switch (field.read) {
    case ConfigRead::Flag:
        field.Bools(set)[0] = IsOne(text);
        break;
    case ConfigRead::Integer:
        field.Ints(set)[0] = NumberText::ParseInt(text);
        break;
    case ConfigRead::DecimalTruncated:
        field.Ints(set)[0] = NumberText::TruncateToInt32(NumberText::ParseDecimal(text));
        break;
    case ConfigRead::Decimal:
        field.Floats(set)[0] = NumberText::ParseFloat(text);
        break;
    case ConfigRead::IntList:
        ParseIntList(text, field.Ints(set));
        break;
    case ConfigRead::FloatList:
        ParseFloatList(text, field.Floats(set));
        break;
    }
}

} // namespace

bool CIniSettingBase::SetValue(const char16_t* key, const std::u16string& value) {
    return CSettingBase::SetValue(std::u16string(key != nullptr ? key : u""), value);
}

bool CIniSettingBase::Load(const std::u16string& path) {
    auto document = std::make_unique<IniDocument>();
    lastFile_ = ReadIniFile(*document, path);
    if (!lastFile_) {
        document_.reset();
        currentSection_ = nullptr;
        filePath_.clear();
        return false;
    }
    document_ = std::move(document);
    currentSection_ = nullptr;
    filePath_ = path;
    LoadLanguageKeys();
    LoadSystemKeys();
    return true;
}

void CIniSettingBase::LoadLanguageKeys() {
    LangPath = GetValue(u"Language:LangPath");
    Selected = NumberText::ParseInt(GetValue(u"Selected"));
    if (Selected != 1 && Selected != 2) {
        Selected = 1;
    }
    Lang1File = GetValue(u"Lang1File");
    Lang2File = GetValue(u"Lang2File");
}

void CIniSettingBase::LoadSystemKeys() {
    LogPath = GetValue(u"System:LogPath");
    Debug = IsOne(GetValue(u"Debug"));
    for (const ParameterField& field : ParameterFields::All()) {
        ReadField(field, GetValue(NumberText::Widen(field.key)), Params);
    }
}

bool CIniSettingBase::Save(const std::u16string&) {
    if (!document_) {
        document_ = std::make_unique<IniDocument>();
    }
    SetValue(u"Language:Selected", NumberText::Widen(NumberText::FormatInt(Selected)));
    SetValue(u"System:LogPath", LogPath);
    SaveSystemKeys();
    if (filePath_.empty()) {
        lastFile_ = IniFileResult{IniFileStatus::NoFile};
        return false;
    }
    lastFile_ = WriteIniFile(*document_, filePath_);
    return lastFile_.Ok();
}

void CIniSettingBase::SaveSystemKeys() {
    SetValue(u"Debug", Flag(Debug));
    for (const ParameterField& field : ParameterFields::All()) {
        SetValue(NumberText::Widen(field.key), FieldText(field, Params));
    }
}

std::u16string CIniSettingBase::SectionValue(std::u16string_view section,
                                             std::u16string_view key) const {
    const IniSection* found = document_ ? document_->FindSection(section) : nullptr;
    const IniEntry* entry = found != nullptr ? found->FindEntry(key) : nullptr;
    return entry != nullptr ? entry->Value() : std::u16string();
}

bool CIniSettingBase::SaveSectionValue(std::u16string_view section, std::u16string_view key,
                                       const std::u16string& value) {
    const SectionEntry entry{key, value};
    return SaveSectionValues(section, std::span(&entry, 1));
}

bool CIniSettingBase::SaveSectionValues(std::u16string_view section,
                                        std::span<const SectionEntry> entries) {
    if (!document_ || filePath_.empty()) {
        lastFile_ = IniFileResult{IniFileStatus::NoFile};
        return false;
    }
    IniSection& target = document_->FindOrAddSection(section);
    std::vector<std::u16string> before;
    for (const SectionEntry& entry : entries) {
        IniEntry& stored = target.FindOrAddEntry(entry.first);
        before.push_back(stored.Value());
        stored.SetValue(entry.second);
    }
    lastFile_ = WriteIniFile(*document_, filePath_);
    if (!lastFile_.Ok()) {
        // The file keeps the old values: so does the document.
        for (std::size_t i = 0; i < entries.size(); ++i) {
            target.FindOrAddEntry(entries[i].first).SetValue(before[i]);
        }
    }
    return lastFile_.Ok();
}

bool CIniSettingBase::LoadFromProgramDirectory(const std::u16string& programDirectory) {
    const std::u16string path = programDirectory + u"config.ini";
    if (!NativePath::Exists(path)) {
        return false;
    }
    return Load(path);
}

std::u16string CIniSettingBase::LanguageFilePath(const std::u16string& programDirectory) const {
    return programDirectory + LangPath + (Selected == 1 ? Lang1File : Lang2File);
}

void CIniSettingBase::PrepareLogDirectory(const std::u16string& programDirectory) {
    if (LogPath.empty()) {
        LogPath = programDirectory + u"Log" + NativePath::Separator();
    }
    if (!NativePath::Exists(LogPath)) {
        NativePath::MakeDirectory(LogPath);
    }
}
