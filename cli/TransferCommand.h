#pragma once

#include "cli/CliCommand.h"
#include "device/DeviceTransfer.h"

// sonvex-cli push CONFIG: writes EQPara.bin beside sonvex-cli from CONFIG's parameter set and
// sends it to the device with adb; CONFIG stays as it is. With --serial S, --all or --verify it
// reports each device as JSON (see LinePush.h).
// sonvex-cli pull CONFIG: fetches the device's file into EQPara.bin, reads it into CONFIG's
// parameter set and saves CONFIG (the command line has no other place to keep it), then prints
// CONFIG as JSON. A failed pull changes nothing, and neither does a device file that is not 2456
// bytes long (unless --force is given) or holds values the parameter set cannot hold. --serial S
// fetches from that device, and only when it is attached and ready.
// Without --serial (or --all) adb chooses the device, and refuses when several are attached:
// the command then says so. --timeout MS replaces adb's time-out of 25000 ms for each adb run;
// --log FILE appends a line per device (see TransferLog.h).
// Exit codes: 0 done, 1 adb failed or the transfer was refused, 3 adb could not be started.
class TransferCommand : public CliCommand {
public:
    explicit TransferCommand(TransferDirection direction) : direction_(direction) {}

    const char* Name() const override;
    const char* Synopsis() const override;
    int Run(const std::vector<std::string>& args, CliIo& io) const override;

private:
    TransferDirection direction_;
};
