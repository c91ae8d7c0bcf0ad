#pragma once

#include "settings/IniDocument.h"

#include <memory>
#include <string>

// The INI store behind the program's settings objects: a document loaded from a file, lookups
// and updates addressed as "Section:Key" or as a bare key in the current section, and the file
// written back by Save. The derived classes map keys to their own fields.
//
// An address with a section part makes that section the current one (or none when GetValue
// does not find it); a bare key uses the current section, which is never reset.
class CSettingBase {
public:
    virtual ~CSettingBase() = default;

    virtual bool Save(const std::u16string& path) = 0;
    virtual bool Load(const std::u16string& path) = 0;
    virtual std::u16string GetValue(const char16_t* key);
    virtual std::u16string GetValue(const std::u16string& key);
    virtual bool SetValue(const char16_t* key, const char16_t* value);
    virtual bool SetValue(const std::u16string& key, const std::u16string& value);

    bool HasDocument() const { return document_ != nullptr; }
    const IniDocument* Document() const { return document_.get(); }
    const std::u16string& FilePath() const { return filePath_; }
    // What the last Load or Save came to, for a message when it returned false.
    const IniFileResult& LastFileResult() const { return lastFile_; }

protected:
    CSettingBase() = default;

    // Selects the current section for an address and returns its key part. With a section
    // part, find selects FindSection (none when absent) and !find FindOrAddSection.
    std::u16string_view Address(std::u16string_view key, bool find);

    IniSection* currentSection_ = nullptr;
    std::unique_ptr<IniDocument> document_;
    std::u16string filePath_;
    IniFileResult lastFile_;
};
