#pragma once

#include "cli/CliCommand.h"

// sonvex-cli devices [--timeout MS]: the devices adb lists, as JSON {"devices": [{"serial":
// ..., "state": "device" | "unauthorized" | "offline" | ..., "model": ...}]} (model empty when
// adb names none). Exit codes: 0 listed (maybe none), 1 adb failed, 3 adb could not be started.
class DevicesCommand : public CliCommand {
public:
    const char* Name() const override { return "devices"; }
    const char* Synopsis() const override { return "devices [--timeout MS]"; }
    int Run(const std::vector<std::string>& args, CliIo& io) const override;
};
