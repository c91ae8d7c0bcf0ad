#pragma once

#include "cli/CliCommand.h"
#include "cli/TransferOptions.h"

#include <ostream>
#include <string>

class CIniSettingBase;
class ToolLibrary;
class TransferLog;

// sonvex-cli push with --serial, --all or --verify: writes EQPara.bin beside sonvex-cli from the
// configuration, sends it to one device (--serial S, or the one adb chooses) or to every device
// in state "device" (--all, up to --jobs at a time, each from its own copy of the file and
// through its own process runner), checks with --verify that each device holds the file byte for
// byte, and prints {"devices": [{"serial", "result", "seconds", "detail", "differences"}]}, the
// devices in the order adb lists them. Unauthorised, offline and otherwise unusable devices are
// listed with their result, and nothing is sent to them.
// Exit codes: 0 every device ok, 1 otherwise (also when no device is attached), 3 adb could not
// be started.
class LinePush {
public:
    static int Run(const TransferOptions& options, const CIniSettingBase& settings,
                   const ToolLibrary& tool, CliIo& io, TransferLog* log);
    // After a failure with no serial given: when several devices are attached (adb then
    // refuses), says so on err and how to name one (or, for a push, to send to all).
    static void ExplainSeveral(const std::u16string& programDirectory, int timeoutMs, bool push,
                               std::ostream& err);
};
