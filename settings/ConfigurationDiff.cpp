#include "settings/ConfigurationDiff.h"

#include "base/NumberText.h"
#include "base/TextCodec.h"
#include "params/ParameterFields.h"
#include "settings/CIniSettingBase.h"
#include "settings/IniNameLess.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>
#include <type_traits>

namespace {

bool SameName(std::u16string_view a, std::u16string_view b) {
    const IniNameLess less;
    return !less(a, b) && !less(b, a);
}

// The keys of the language and system sections that the configuration reads itself.
constexpr std::array<std::u16string_view, 4> kLanguageKeys = {u"LangPath", u"Selected",
                                                              u"Lang1File", u"Lang2File"};
constexpr std::array<std::u16string_view, 2> kSystemKeys = {u"LogPath", u"Debug"};

bool IsTableKey(std::u16string_view section, std::u16string_view key) {
    const auto in = [key](const auto& keys) {
        return std::any_of(keys.begin(), keys.end(),
                           [key](std::u16string_view known) { return SameName(known, key); });
    };
    if (SameName(section, u"Language")) {
        return in(kLanguageKeys);
    }
    if (!SameName(section, u"System")) {
        return false;
    }
    if (in(kSystemKeys)) {
        return true;
    }
    return std::any_of(
        ParameterFields::All().begin(), ParameterFields::All().end(),
        [key](const ParameterField& field) { return SameName(NumberText::Widen(field.key), key); });
}

void AddSetting(std::vector<FieldDifference>& out, std::string key, DiffValue a, DiffValue b) {
    FieldDifference difference;
    difference.key = std::move(key);
    difference.block = DiffBlock::Settings;
    difference.a = std::move(a);
    difference.b = std::move(b);
    out.push_back(std::move(difference));
}

void CompareText(std::vector<FieldDifference>& out, const char* key, const std::u16string& a,
                 const std::u16string& b) {
    if (a != b) {
        AddSetting(out, key, DiffValue::OfText(a), DiffValue::OfText(b));
    }
}

template <class T>
DiffValue ValueOf(T value) {
    if constexpr (std::is_same_v<T, float>) {
        return DiffValue::OfFloat(value);
    } else {
        return DiffValue::OfInteger(static_cast<int64_t>(value));
    }
}

template <class T>
void CompareElements(std::vector<FieldDifference>& out, const ParameterField& field,
                     std::span<const T> a, std::span<const T> b) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i]) {
            continue;
        }
        FieldDifference difference;
        difference.key = std::string(field.key);
        if (!ParameterDiff::LocateKey(field.key, i, difference)) {
            difference.block = DiffBlock::Editor; // links and channel selections
        }
        difference.a = ValueOf(a[i]);
        difference.b = ValueOf(b[i]);
        out.push_back(std::move(difference));
    }
}

void CompareParameters(std::vector<FieldDifference>& out, const ParameterSet& a,
                       const ParameterSet& b) {
    for (const ParameterField& field : ParameterFields::All()) {
        switch (field.Type()) {
        case FieldType::Bool:
            CompareElements(out, field, field.Bools(a), field.Bools(b));
            break;
        case FieldType::Int32:
            CompareElements(out, field, field.Ints(a), field.Ints(b));
            break;
        case FieldType::Float:
            CompareElements(out, field, field.Floats(a), field.Floats(b));
            break;
        }
    }
}

DiffValue EntryValue(const IniDocument& document, std::u16string_view section,
                     std::u16string_view key) {
    const IniSection* found = document.FindSection(section);
    const IniEntry* entry = found != nullptr ? found->FindEntry(key) : nullptr;
    return entry != nullptr ? DiffValue::OfText(entry->Value()) : DiffValue{};
}

// The keys outside the configuration's own table, of first in the order of first, and those of
// second that first lacks.
void CompareOtherKeys(std::vector<FieldDifference>& out, const IniDocument& first,
                      const IniDocument& second, bool firstIsA) {
    for (const auto& [sectionName, section] : first.AllSections()) {
        for (const auto& [entryKey, entry] : section->AllEntries()) {
            const std::u16string& name = section->Name();
            if (IsTableKey(name, entry->Key())) {
                continue;
            }
            const DiffValue mine = DiffValue::OfText(entry->Value());
            const DiffValue theirs = EntryValue(second, name, entry->Key());
            if (!firstIsA && theirs.kind != DiffValue::Kind::Missing) {
                continue; // compared from the other side already
            }
            if (theirs.kind == DiffValue::Kind::Text && theirs.text == mine.text) {
                continue;
            }
            const std::string key = TextCodec::ToUtf8(name + u":" + entry->Key());
            if (firstIsA) {
                AddSetting(out, key, mine, theirs);
            } else {
                AddSetting(out, key, theirs, mine);
            }
        }
    }
}

} // namespace

std::vector<FieldDifference> ConfigurationDiff::Compare(const CIniSettingBase& a,
                                                        const CIniSettingBase& b) {
    std::vector<FieldDifference> out;
    CompareText(out, "LangPath", a.LangPath, b.LangPath);
    if (a.Selected != b.Selected) {
        AddSetting(out, "Selected", DiffValue::OfInteger(a.Selected),
                   DiffValue::OfInteger(b.Selected));
    }
    CompareText(out, "Lang1File", a.Lang1File, b.Lang1File);
    CompareText(out, "Lang2File", a.Lang2File, b.Lang2File);
    CompareText(out, "LogPath", a.LogPath, b.LogPath);
    if (a.Debug != b.Debug) {
        AddSetting(out, "Debug", DiffValue::OfInteger(a.Debug), DiffValue::OfInteger(b.Debug));
    }
    CompareParameters(out, a.Params, b.Params);
    if (a.Document() != nullptr && b.Document() != nullptr) {
        CompareOtherKeys(out, *a.Document(), *b.Document(), true);
        CompareOtherKeys(out, *b.Document(), *a.Document(), false);
    }
    return out;
}
