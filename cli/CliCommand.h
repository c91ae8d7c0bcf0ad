#pragma once

#include <ostream>
#include <string>
#include <vector>

// Exit codes of sonvex-cli.
enum CliExit : int {
    kExitOk = 0,
    kExitFailure = 1,       // a file error, a refusal, adb ran and failed
    kExitUsage = 2,         // bad arguments
    kExitAdbNotStarted = 3, // adb could not be started
};

// Where a command writes: JSON or CSV on out, messages on err; the program directory stands
// where the desktop program's would (libTool.so, adb, EQPara.bin).
struct CliIo {
    std::ostream& out;
    std::ostream& err;
    std::u16string programDirectory;
};

// One command of sonvex-cli.
class CliCommand {
public:
    virtual ~CliCommand() = default;
    virtual const char* Name() const = 0;
    // The usage line after "sonvex-cli ", e.g. "show CONFIG".
    virtual const char* Synopsis() const = 0;
    // args are the words after the command name. Returns a CliExit code.
    virtual int Run(const std::vector<std::string>& args, CliIo& io) const = 0;
};
