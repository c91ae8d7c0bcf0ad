#include "cli/ShowCommand.h"

#include "cli/CliArguments.h"
#include "cli/ParameterJson.h"
#include "settings/CIniSettingBase.h"

int ShowCommand::Run(const std::vector<std::string>& args, CliIo& io) const {
    if (args.size() != 1) {
        io.err << "usage: sonvex-cli " << Synopsis() << "\n";
        return kExitUsage;
    }
    CIniSettingBase config;
    if (!CliArguments::LoadConfiguration(args[0], config, io.err)) {
        return kExitFailure;
    }
    PrintConfiguration(io.out, config);
    return kExitOk;
}
