#pragma once

#include "cli/CliCommand.h"

// sonvex-cli write CONFIG OUT.bin: the parameter file of CONFIG's parameter set, with the
// coefficients of libTool.so from the program directory.
// sonvex-cli read IN.bin CONFIG [--force]: the file's carried fields into CONFIG's parameter set;
// CONFIG is saved and printed as JSON. The editor state (links, channel selections) keeps
// CONFIG's values. A file that is not 2456 bytes long is refused unless --force is given (its
// missing values then read as 0); one holding values the parameter set cannot hold (NaN,
// infinities, integers beyond 32 bits) always is.
class ParameterFileCommand : public CliCommand {
public:
    enum class Kind { Write, Read };
    explicit ParameterFileCommand(Kind kind) : kind_(kind) {}

    const char* Name() const override;
    const char* Synopsis() const override;
    int Run(const std::vector<std::string>& args, CliIo& io) const override;

private:
    int Write(const std::string& config, const std::string& file, CliIo& io) const;
    int Read(const std::string& file, const std::string& config, bool force, CliIo& io) const;

    Kind kind_;
};
