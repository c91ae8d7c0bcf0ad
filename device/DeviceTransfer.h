#pragma once

#include "base/TextCatalog.h"
#include "params/ParameterFile.h"
#include "params/ParameterSet.h"

#include <cstdint>
#include <string>
#include <vector>

class ToolLibrary;

enum class TransferDirection {
    Push, // send EQPara.bin to the device
    Pull, // fetch the device's file into EQPara.bin and read it
};

// Where a transfer raises its messages: "update parameter fail!" and the reasons a transfer is
// refused before adb runs. The window shows each in a message box, the command line prints it
// to standard error. Called on the thread that calls Prepare and Finish.
class TransferReporter {
public:
    virtual ~TransferReporter() = default;
    virtual void Report(const std::u16string& message) = 0;
    // A failure of adb itself ("update parameter fail!") with the words that say why (see
    // AdbFailure::Detail); shows message alone unless overridden.
    virtual void ReportFailure(const std::u16string& message, const std::u16string& detail) {
        static_cast<void>(detail);
        Report(message);
    }
};

// The adb run of one transfer: plain data, safe to hand to another thread.
struct AdbCommand {
    std::vector<std::string> argv; // argv[0] the full path of adb; empty when adb was not found
    int timeoutMs = 0;
};

struct AdbRunResult {
    bool found = true;     // false: no adb in the program directory or on PATH
    bool started = false;  // adb (and the runner's reader) could be started
    int exitCode = -1;     // -1 also when killed at the time-out
    bool timedOut = false; // killed because it outlived the time-out
    std::string output;    // the first 40960 bytes adb wrote
};

// What Prepare did, for RunAdb and Finish.
struct TransferPlan {
    TransferDirection direction = TransferDirection::Push;
    bool ready = false; // false: refused and already reported; nothing is to run
    AdbCommand command;
    std::u16string localPath; // EQPara.bin in the program directory
    std::u16string asidePath; // pull: where the earlier EQPara.bin waits while adb runs
    bool hasOldCopy = false;  // pull: a complete earlier copy waits at asidePath
    std::string deviceName;   // "Para_" + SWFS + "Hz_" + CHANUM + "ch.bin"
};

// Push and pull of the parameter file with adb, through the working copy EQPara.bin in the
// program directory and the device folder /data/cfg/eq_bin/.
//
// A transfer has three steps so that a window can run the adb part on a worker thread while the
// parameter set stays on its own thread:
//   1. Prepare (owner's thread): forms the device name from SWFS and CHANUM; push writes
//      EQPara.bin, pull moves an earlier EQPara.bin aside so that a pull that reports success
//      without writing the file cannot pass off the old copy as the device's. Only a complete
//      copy (one the reader takes) is moved aside, so a partial file that a killed pull left
//      never replaces a good copy waiting there.
//   2. RunAdb (any thread): runs adb and nothing else; no parameter set, no reporter.
//   3. Finish (owner's thread): judges the run; a successful pull reads EQPara.bin into the
//      parameter set, refusing a file of the wrong length or with values it cannot hold; a
//      failed or refused pull puts the earlier copy back and leaves the set untouched.
// TransferParameterFile runs all three in sequence.
//
// Results: 0 success; -1 adb ran and failed (a non-zero exit code, the time-out, or a pull that
// left no readable file), and also a transfer refused before adb ran (the parameter file writer
// refused, EQPara.bin could not be written or moved aside) or a pulled file the reader refused;
// -2 adb could not be started (not found, or not executable). Every negative result has been
// reported: "update parameter fail!" for the adb failures, the refusal's own message otherwise.
class DeviceTransfer {
public:
    static constexpr int kDefaultTimeoutMs = 25000;

    // Keeps references to params, tool and reporter. programDirectory ends with a separator.
    DeviceTransfer(ParameterSet& params, const ToolLibrary& tool, std::u16string programDirectory,
                   TransferReporter& reporter, int timeoutMs = kDefaultTimeoutMs);

    // The texts of the refusals it reports (built-in English until set).
    void SetTexts(TextCatalog texts) { texts_ = texts; }
    // The device every adb command of this transfer addresses ("adb -s SERIAL ..."); empty (the
    // default) leaves the choice to adb, which refuses when several devices are attached.
    void SetSerial(std::string serial) { serial_ = std::move(serial); }

    TransferPlan Prepare(TransferDirection direction);
    static AdbRunResult RunAdb(const AdbCommand& command);
    int Finish(const TransferPlan& plan, const AdbRunResult& run);

    int TransferParameterFile(TransferDirection direction);
    // The adb run of the last TransferParameterFile (not started when it was refused before).
    const AdbRunResult& LastRun() const { return lastRun_; }
    // How the last Finish of a pull read EQPara.bin (Ok when it did not get that far).
    const ParameterFileResult& LastRead() const { return lastRead_; }
    // Whether a pulled file of another length than 2456 bytes is read (sonvex-cli pull --force);
    // its values are checked either way.
    void SetFileLength(FileLength length) { fileLength_ = length; }

    // "Para_48000Hz_2ch.bin".
    static std::string DeviceFileName(int32_t sampleRate, int32_t channels);
    // "/data/cfg/eq_bin/".
    static const char* DeviceDirectory();
    // "EQPara.bin".
    static const char16_t* LocalFileName();
    // "update parameter fail!".
    static const char16_t* FailureMessage();
    // adb ("adb.exe" on Windows) in programDirectory, else the first in PATH; a path to run, or
    // empty when none is found.
    static std::string FindAdb(const std::u16string& programDirectory);
    // The argument vector of an adb command: adb, "-s" and serial when one is given, then words.
    // Empty when adb is empty (not found).
    static std::vector<std::string> AdbArgv(const std::string& adb, const std::string& serial,
                                            std::vector<std::string> words);
    // Makes an adb command address the device serial ("adb -s SERIAL ..."); nothing for an empty
    // serial or a command without adb.
    static void Address(AdbCommand& command, const std::string& serial);
    // The full device path of a plan: DeviceDirectory() + deviceName.
    static std::string RemotePath(const TransferPlan& plan);

private:
    bool MoveAside(TransferPlan& plan);
    // After a failed pull: the complete earlier copy goes back to EQPara.bin; without one, a file
    // that adb (when it ran) left there is removed.
    void PutBack(const TransferPlan& plan, bool adbRan);
    int Fail(const TransferPlan& plan, int code, const AdbRunResult& run);

    ParameterSet& params_;
    const ToolLibrary& tool_;
    std::u16string programDirectory_;
    TransferReporter& reporter_;
    int timeoutMs_;
    TextCatalog texts_;
    std::string serial_;
    FileLength fileLength_ = FileLength::Exact;
    AdbRunResult lastRun_;
    ParameterFileResult lastRead_;
};
