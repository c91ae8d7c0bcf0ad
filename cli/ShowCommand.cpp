#include "cli/ShowCommand.h"

#include "cli/CliArguments.h"
#include "cli/JsonWriter.h"
#include "cli/ParameterJson.h"
#include "settings/CIniSettingBase.h"

int ShowCommand::Run(const std::vector<std::string>& args, CliIo& io) const {
    if (args.size() != 1) {
        io.err << "usage: sonvex-cli " << Synopsis() << "\n";
        return kExitUsage;
    }
    CIniSettingBase config;
    if (!config.Load(CliArguments::Path(args[0]))) {
        io.err << "sonvex-cli: cannot read the configuration \"" << args[0] << "\"\n";
        return kExitFailure;
    }
    JsonWriter json(io.out);
    json.BeginObject();
    WriteConfiguration(json, config);
    json.EndObject();
    json.Finish();
    return kExitOk;
}
