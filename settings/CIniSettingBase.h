#pragma once

#include "params/ParameterSet.h"
#include "settings/CSettingBase.h"

#include <cstdint>
#include <span>
#include <string>
#include <utility>

// The application configuration, config.ini beside the program: the language and system
// settings and the whole parameter set. Loaded once at start; Save rewrites the file that Load
// read, keeping every other key and section of it (comments and order are not kept).
class CIniSettingBase : public CSettingBase {
public:
    using CSettingBase::GetValue;
    using CSettingBase::SetValue;

    bool Save(const std::u16string& path) override;
    bool Load(const std::u16string& path) override;
    virtual bool SetValue(const char16_t* key, const std::u16string& value);

    // Start-up helpers. The configuration is loaded only when something named config.ini exists
    // in the program directory (which ends with a separator); returns whether it was loaded.
    bool LoadFromProgramDirectory(const std::u16string& programDirectory);
    // The selected language file: program directory + LangPath + Lang1File (Selected 1) or
    // Lang2File (otherwise), joined by plain concatenation.
    std::u16string LanguageFilePath(const std::u16string& programDirectory) const;

    // A key of a section the configuration itself does not read ([Device], ...): its value, or
    // empty when the file lacks it. The current section stays as it is.
    std::u16string SectionValue(std::u16string_view section, std::u16string_view key) const;
    // Sets such a key and writes config.ini at once with only that change: what the file holds
    // otherwise stays as the last Load or Save left it (edits not yet saved stay unsaved).
    // False, with LastFileResult saying why, when no file was loaded or it cannot be written.
    bool SaveSectionValue(std::u16string_view section, std::u16string_view key,
                          const std::u16string& value);
    // The same for several keys of one section, written in one go: all of them or none.
    using SectionEntry = std::pair<std::u16string_view, std::u16string>;
    bool SaveSectionValues(std::u16string_view section, std::span<const SectionEntry> entries);
    // An empty LogPath becomes program directory + "Log" + separator; that one directory is
    // created when nothing of that name exists. Failures are not reported.
    void PrepareLogDirectory(const std::u16string& programDirectory);

    std::u16string LangPath;
    int32_t Selected = 0;
    std::u16string Lang1File;
    std::u16string Lang2File;
    bool Debug = false;
    std::u16string LogPath;
    ParameterSet Params;

private:
    void LoadLanguageKeys();
    void LoadSystemKeys();
    void SaveSystemKeys();
};
