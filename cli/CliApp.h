#pragma once

#include "cli/CliCommand.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

// sonvex-cli: dispatches the first word to its command, handles --help and --version.
class CliApp {
public:
    CliApp();
    int Main(const std::vector<std::string>& args, CliIo& io) const;
    void PrintUsage(std::ostream& stream) const;

private:
    std::vector<std::unique_ptr<CliCommand>> commands_;
};
