#pragma once

#include "tests/support/TempDir.h"

#include <string>

// A temporary program directory for one main window: the shipped config.ini and language files,
// libTool.so, the fake adb as "adb" and a folder standing for the device (FAKE_ADB_DEVICE_DIR;
// every call is logged to adb.log). The other FAKE_ADB_* variables are cleared.
class AppProgramDir {
public:
    struct Contents {
        bool config = true;
        bool languages = true;
        bool tool = true;
        bool adb = true;
    };

    AppProgramDir() : AppProgramDir(Contents{}) {}
    explicit AppProgramDir(const Contents& contents);
    ~AppProgramDir();

    std::u16string Directory() const { return dir_.Directory16(); }
    std::string File(const std::string& name) const { return dir_.File(name); }
    std::string Read(const std::string& name) const;
    void Write(const std::string& name, const std::string& bytes) const;
    // Sets key=value in config.ini, replacing the key's line or adding it to [System].
    void SetConfig(const std::string& key, const std::string& value) const;
    std::string Config() const { return Read("config.ini"); }
    bool ConfigHas(const std::string& line) const;
    // Appends a comment line to config.ini; a save drops it, so Marked() tells whether
    // config.ini has been written since.
    void MarkConfig() const;
    bool Marked() const;

private:
    TempDir dir_;
};
