#pragma once

#include "tests/support/TempDir.h"

#include <string>
#include <utility>
#include <vector>

// The fake adb (tests/support/fake-adb) set up for one test: a temporary folder whose path holds a
// space, with a program directory "program dir/" holding the script as "adb", a device folder and
// a call log. FAKE_ADB_DEVICE_DIR and FAKE_ADB_LOG are set in this process's environment, which
// every child inherits; all FAKE_ADB_* variables get their earlier values back (or are unset)
// when the object goes, and a lingering background process is killed.
class FakeAdb {
public:
    FakeAdb();
    ~FakeAdb();
    FakeAdb(const FakeAdb&) = delete;
    FakeAdb& operator=(const FakeAdb&) = delete;

    // The program directory without a trailing separator, and as UTF-16 with one.
    const std::string& ProgramDir() const { return programDir_; }
    std::u16string ProgramDir16() const;
    // ProgramDir() + "/adb".
    std::string AdbPath() const { return programDir_ + "/adb"; }
    // A path inside the temporary folder, outside the program directory.
    std::string ScratchFile(const std::string& name) const { return dir_.File(name); }

    // The host file behind an absolute device path such as /data/cfg/eq_bin/Para_48000Hz_2ch.bin.
    std::string DeviceFile(const std::string& remote) const;
    void PutDeviceFile(const std::string& remote, const std::string& bytes) const;
    bool HasDeviceFile(const std::string& remote) const;
    std::string ReadDeviceFile(const std::string& remote) const;

    // Several devices ("SERIAL:STATE[:MODEL] ..."; see the script), each with its own folder,
    // and a record of when each push and pull begins and ends (Events).
    void SetDevices(const std::string& devices);
    // The host file behind a device path on the device SERIAL of SetDevices.
    std::string DeviceFileOf(const std::string& serial, const std::string& remote) const;
    // "begin SERIAL push", "end SERIAL push", ... in the order they happened.
    std::vector<std::string> Events() const;
    void ClearEvents() const;

    // Every call so far, one argument vector (without the program name) per call.
    std::vector<std::vector<std::string>> Calls() const;

    // Sets an environment variable, such as one of the script's (FAKE_ADB_FAIL, FAKE_ADB_HANG,
    // ...) or PATH, for this object's life; an empty value unsets it.
    void Set(const std::string& variable, const std::string& value);
    // Makes the next calls leave a process holding their output open for `seconds`; its id is
    // LingerPid() once a call has run. The destructor kills it.
    void Linger(int seconds);
    int LingerPid() const;

private:
    void Remember(const std::string& variable);

    TempDir dir_;
    std::string programDir_;
    std::string deviceDir_;
    std::string log_;
    std::vector<std::pair<std::string, std::pair<bool, std::string>>> saved_;
};
