#pragma once

#include "tests/support/TempDir.h"

#include <string>

// A temporary program directory for one main window: the shipped config.ini and language files,
// libTool.so from the build, the fake adb as "adb", and a folder standing for the device. The
// fake adb's environment (FAKE_ADB_*) is reset for every directory.
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

    // The directory with a trailing separator, for the main window.
    std::u16string Directory() const { return dir_.Directory16(); }
    std::string File(const std::string& name) const { return dir_.File(name); }
    // Where the fake adb keeps the device's files (FAKE_ADB_DEVICE_DIR).
    std::string DeviceFile(const std::string& deviceName) const;
    // The lines the fake adb logged, one per call.
    std::string AdbLog() const;

    // Sets key=value in config.ini (the line of the key is replaced, or added to [System]).
    void SetConfig(const std::string& key, const std::string& value);
    std::string ConfigText() const;
    // Appends a comment line; a save of the configuration drops it, so Marked() tells whether
    // config.ini has been written since.
    void MarkConfig();
    bool ConfigMarked() const;

    void WriteFile(const std::string& name, const std::string& bytes) const;
    std::string ReadFile(const std::string& name) const;

private:
    TempDir dir_;
};
