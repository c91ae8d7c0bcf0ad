#include "settings/CIniLocalLan.h"

#include "base/NativePath.h"
#include "base/SafeFile.h"

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

constexpr std::size_t kLocaleNameLength = 16;
// A language file larger than this was never loaded, so it is never written over either.
constexpr std::size_t kCopyLimit = std::size_t{64} << 20;

bool IsAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// "zh_CN", "en", "pt-BR": a letter first, then letters, digits, "_" or "-".
bool IsLocaleName(std::u16string_view text) {
    if (text.empty() || text.size() > kLocaleNameLength || !IsAsciiLetter(text.front())) {
        return false;
    }
    for (const char16_t c : text) {
        if (!IsAsciiLetter(c) && !(c >= u'0' && c <= u'9') && c != u'_' && c != u'-') {
            return false;
        }
    }
    return true;
}

// A file named after its locale: two or three letters, optionally "_" or "-" and a region.
bool IsLocaleFileStem(std::u16string_view stem) {
    std::size_t letters = 0;
    while (letters < stem.size() && IsAsciiLetter(stem[letters])) {
        ++letters;
    }
    if (letters < 2 || letters > 3) {
        return false;
    }
    if (letters == stem.size()) {
        return true;
    }
    return (stem[letters] == u'_' || stem[letters] == u'-') && IsLocaleName(stem);
}

std::u16string Lowered(std::u16string_view text) {
    std::u16string lowered(text);
    for (char16_t& c : lowered) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
    }
    return lowered;
}

std::string Narrowed(std::u16string_view ascii) {
    return std::string(ascii.begin(), ascii.end());
}

} // namespace

bool CIniLocalLan::Load(const std::u16string& path) {
    filePath_ = path;
    auto document = std::make_unique<IniDocument>();
    currentSection_ = nullptr;
    textSection_ = nullptr;
    lastFile_ = ReadIniFile(*document, path);
    if (!lastFile_) {
        document_.reset();
        unreadable_ = NativePath::Exists(path);
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
        lastFile_ = IniFileResult{IniFileStatus::NoFile};
        return false;
    }
    if (unreadable_ && NativePath::Exists(filePath_)) {
        if (!document_) {
            document_ = std::make_unique<IniDocument>();
        }
        lastFile_ = IniFileResult{IniFileStatus::KeptUnread};
        return false;
    }
    if (!KeepCopy()) {
        return false;
    }
    if (!document_) {
        const std::size_t last = filePath_.find_last_of(kSeparators);
        if (last != std::u16string::npos && !CreateDirectoryChain(filePath_.substr(0, last + 1))) {
            lastFile_ = IniFileResult{IniFileStatus::CannotWrite};
            lastFile_.write = SafeFileResult::CannotCreate;
            return false;
        }
        document_ = std::make_unique<IniDocument>();
    }
    lastFile_ = WriteIniFile(*document_, filePath_);
    return lastFile_.Ok();
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

void CIniLocalLan::KeepCopyBeforeWriting() {
    copyState_ = CopyState::Pending;
}

bool CIniLocalLan::KeepCopy() {
    if (copyState_ == CopyState::Failed) {
        return false;
    }
    if (copyState_ != CopyState::Pending) {
        return true;
    }
    const std::string path = NativePath::Narrow(filePath_);
    std::string bytes;
    if (!NativePath::Exists(filePath_)) {
        copyState_ = CopyState::NotNeeded;
        return true;
    }
    if (!SafeFile::Read(path, bytes, kCopyLimit + 1) || bytes.size() > kCopyLimit) {
        copyState_ = CopyState::Failed;
        return false;
    }
    if (bytes.empty()) {
        copyState_ = CopyState::NotNeeded;
        return true;
    }
    copyState_ = SafeFile::Write(NativePath::Narrow(CopyPath()), bytes) == SafeFileResult::Ok
                     ? CopyState::Kept
                     : CopyState::Failed;
    return copyState_ == CopyState::Kept;
}

std::u16string CIniLocalLan::LangText(std::u16string_view key) {
    if (!loaded_) {
        return {};
    }
    return GetText(u"LANG:" + std::u16string(key));
}

std::string CIniLocalLan::LocaleName(int selected) {
    if (loaded_) {
        const std::u16string given = GetText(u"LANG:IDS_LOCALE");
        if (IsLocaleName(given)) {
            return Narrowed(given);
        }
    }
    const std::size_t slash = filePath_.find_last_of(kSeparators);
    std::u16string_view name(filePath_);
    name.remove_prefix(slash == std::u16string::npos ? 0 : slash + 1);
    const std::u16string_view stem = name.substr(0, name.find(u'.'));
    if (IsLocaleFileStem(stem)) {
        return Narrowed(stem);
    }
    const std::u16string lowered = Lowered(stem);
    if (lowered.find(u"chinese") != std::u16string::npos ||
        lowered.find(u"\u4E2D\u6587") != std::u16string::npos) {
        return "zh_CN";
    }
    if (lowered.find(u"english") != std::u16string::npos) {
        return "en";
    }
    return selected == 2 ? "zh_CN" : "en";
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
        if (!missing && NativePath::Exists(prefix)) {
            continue;
        }
        missing = true;
        if (!NativePath::MakeDirectory(prefix)) {
            return false;
        }
    }
    if (!whole.empty() && !NativePath::Exists(whole)) {
        return NativePath::MakeDirectory(whole);
    }
    return true;
}
