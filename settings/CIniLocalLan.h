#pragma once

#include "base/TextSource.h"
#include "settings/CSettingBase.h"

#include <string>

// The user-interface language: one of the language files named in config.ini, in the INI format.
// In apply mode its texts replace the windows' own; in collect mode the windows' texts are
// written into it (see WidgetLocalizer on the widget side).
//
// GetText has a current section of its own, so it never disturbs the lookups of GetValue.
class CIniLocalLan : public CSettingBase, public TextSource {
public:
    using CSettingBase::GetValue;
    using CSettingBase::SetValue;

    bool Save(const std::u16string& path) override;
    bool Load(const std::u16string& path) override;
    // As GetValue, but fallback when there is no document, no current section after addressing,
    // or an empty key. A missing key in an existing section still gives "".
    virtual std::u16string GetValueOr(const std::u16string& key, const std::u16string& fallback);

    // The key itself until a language file has loaded; then as GetValue on the text section.
    std::u16string GetText(const std::u16string& key);

    bool Loaded() const { return loaded_; }
    // GetText of "LANG:" + key once a language file has loaded; "" before (the message texts).
    std::u16string LangText(std::u16string_view key) override;

    // The locale the loaded language file is written in, for the platform's own dialogs: the
    // key IDS_LOCALE of section LANG ("zh_CN", "en"). A file without a usable one is told by its
    // name ("Chinese.ini", "zh_TW.ini", "English.ini"), and a name that tells nothing by the
    // language slot config.ini selects (2 is the Chinese one as shipped). Letters, digits, "_"
    // and "-" only, so that it can name a translation file.
    std::string LocaleName(int selected);

    // What happened to the copy that collect mode keeps of the file it writes over.
    enum class CopyState {
        NotArmed,  // KeepCopyBeforeWriting was not called
        Pending,   // armed; nothing written yet
        NotNeeded, // the file was missing or empty: nothing to keep
        Kept,      // the old bytes are in CopyPath()
        Failed,    // the copy could not be made: the file is not written over
    };
    // Arms Save to copy a non-empty file to <file>.bak (replacing an older copy) before its
    // first write over it; when the copy fails, Save leaves the file alone and returns false.
    void KeepCopyBeforeWriting();
    CopyState Copy() const { return copyState_; }
    std::u16string CopyPath() const { return filePath_ + u".bak"; }

    // Creates every missing directory along path; false when one cannot be made.
    static bool CreateDirectoryChain(const std::u16string& path);

private:
    bool KeepCopy();

    IniSection* textSection_ = nullptr;
    bool loaded_ = false;
    // A language file that exists but could not be read is never written over: what collect
    // mode gathers then stays in memory.
    bool unreadable_ = false;
    CopyState copyState_ = CopyState::NotArmed;
};
