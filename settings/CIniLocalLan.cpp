#include "settings/CIniLocalLan.h"

#include "settings/ProgramDirectory.h"

#include <string_view>

namespace {

#if defined(_WIN32)
constexpr char16_t kSeparators[] = u"\\/";
#else
constexpr char16_t kSeparators[] = u"/";
#endif

bool IsSeparator(char16_t c) {
    return std::u16string_view(kSeparators).find(c) != std::u16string_view::npos;
}

} // namespace

bool CIniLocalLan::Load(const std::u16string& path) {
    filePath_ = path;
    auto document = std::make_unique<IniDocument>();
    currentSection_ = nullptr;
    textSection_ = nullptr;
    if (!ReadIniFile(*document, path)) {
        document_.reset();
        unreadable_ = ProgramDirectory::Exists(path);
        return false;
    }
    document_ = std::move(document);
    unreadable_ = false;
    loaded_ = true;
    return true;
}

bool CIniLocalLan::Save(const std::u16string& path) {
    if (!path.empty()) {
        filePath_ = path;
        unreadable_ = false;
    }
    if (filePath_.empty()) {
        return false;
    }
    if (unreadable_ && ProgramDirectory::Exists(filePath_)) {
        if (!document_) {
            document_ = std::make_unique<IniDocument>();
        }
        return false;
    }
    if (!document_) {
        const std::size_t last = filePath_.find_last_of(kSeparators);
        if (last != std::u16string::npos && !CreateDirectoryChain(filePath_.substr(0, last + 1))) {
            return false;
        }
        document_ = std::make_unique<IniDocument>();
    }
    return WriteIniFile(*document_, filePath_);
}

std::u16string CIniLocalLan::GetValueOr(const std::u16string& key, const std::u16string& fallback) {
    if (!document_) {
        return fallback;
    }
    const std::u16string_view keyPart = Address(key, true);
    if (currentSection_ == nullptr || key.empty()) {
        return fallback;
    }
    const IniEntry* entry = currentSection_->FindEntry(keyPart);
    return entry != nullptr ? entry->Value() : std::u16string();
}

std::u16string CIniLocalLan::GetText(const std::u16string& key) {
    if (!loaded_) {
        return key;
    }
    if (!document_) {
        return {};
    }
    std::u16string_view keyPart = key;
    const std::size_t colon = key.find(u':');
    if (colon != std::u16string::npos) {
        textSection_ = document_->FindSection(keyPart.substr(0, colon));
        keyPart = keyPart.substr(colon + 1);
    }
    if (textSection_ == nullptr || key.empty()) {
        return {};
    }
    const IniEntry* entry = textSection_->FindEntry(keyPart);
    return entry != nullptr ? entry->Value() : std::u16string();
}

bool CIniLocalLan::CreateDirectoryChain(const std::u16string& path) {
    std::u16string whole = path;
    if (!whole.empty() && IsSeparator(whole.back())) {
        whole.pop_back();
    }
    bool missing = false;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (!IsSeparator(whole[i]) || i == 0) {
            continue;
        }
        const std::u16string prefix = whole.substr(0, i);
        if (!missing && ProgramDirectory::Exists(prefix)) {
            continue;
        }
        missing = true;
        if (!ProgramDirectory::MakeDirectory(prefix)) {
            return false;
        }
    }
    if (!whole.empty() && !ProgramDirectory::Exists(whole)) {
        return ProgramDirectory::MakeDirectory(whole);
    }
    return true;
}
