#include "settings/CSettingBase.h"

std::u16string_view CSettingBase::Address(std::u16string_view key, bool find) {
    const std::size_t colon = key.find(u':');
    if (colon == std::u16string_view::npos) {
        return key;
    }
    const std::u16string_view section = key.substr(0, colon);
    currentSection_ =
        find ? document_->FindSection(section) : &document_->FindOrAddSection(section);
    return key.substr(colon + 1);
}

std::u16string CSettingBase::GetValue(const char16_t* key) {
    return GetValue(std::u16string(key != nullptr ? key : u""));
}

std::u16string CSettingBase::GetValue(const std::u16string& key) {
    if (!document_) {
        return {};
    }
    const std::u16string_view keyPart = Address(key, true);
    if (currentSection_ == nullptr || key.empty()) {
        return {};
    }
    const IniEntry* entry = currentSection_->FindEntry(keyPart);
    return entry != nullptr ? entry->Value() : std::u16string();
}

bool CSettingBase::SetValue(const char16_t* key, const char16_t* value) {
    return SetValue(std::u16string(key != nullptr ? key : u""),
                    std::u16string(value != nullptr ? value : u""));
}

bool CSettingBase::SetValue(const std::u16string& key, const std::u16string& value) {
    if (!document_) {
        return false;
    }
    const std::u16string_view keyPart = Address(key, false);
    if (currentSection_ == nullptr || key.empty()) {
        return false;
    }
    currentSection_->FindOrAddEntry(keyPart).SetValue(value);
    return true;
}
