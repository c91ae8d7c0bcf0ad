#include "cli/ParameterFileCommand.h"

#include "cli/CliArguments.h"
#include "cli/ParameterJson.h"
#include "params/ParameterFile.h"
#include "params/ToolLibrary.h"
#include "settings/CIniSettingBase.h"
#include "settings/TextCodec.h"

const char* ParameterFileCommand::Name() const {
    return kind_ == Kind::Write ? "write" : "read";
}

const char* ParameterFileCommand::Synopsis() const {
    return kind_ == Kind::Write ? "write CONFIG OUT.bin" : "read IN.bin CONFIG";
}

int ParameterFileCommand::Run(const std::vector<std::string>& args, CliIo& io) const {
    if (args.size() != 2) {
        io.err << "usage: sonvex-cli " << Synopsis() << "\n";
        return kExitUsage;
    }
    return kind_ == Kind::Write ? Write(args[0], args[1], io) : Read(args[0], args[1], io);
}

int ParameterFileCommand::Write(const std::string& config, const std::string& file,
                                CliIo& io) const {
    CIniSettingBase settings;
    if (!CliArguments::LoadConfiguration(config, settings, io.err)) {
        return kExitFailure;
    }
    ToolLibrary tool;
    tool.Load(io.programDirectory); // a missing library is refused by the writer below
    const std::u16string path = CliArguments::Path(file);
    const ParameterFileResult result =
        ParameterFile::WriteParameterFile(path, settings.Params, tool);
    if (!result.Ok()) {
        io.err << "sonvex-cli: " << TextCodec::ToUtf8(ParameterFile::Message(result, path)) << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

int ParameterFileCommand::Read(const std::string& file, const std::string& config,
                               CliIo& io) const {
    CIniSettingBase settings;
    if (!CliArguments::LoadConfiguration(config, settings, io.err)) {
        return kExitFailure;
    }
    const std::u16string path = CliArguments::Path(file);
    const ParameterFileResult result = ParameterFile::ReadParameterFile(path, settings.Params);
    if (!result.Ok()) {
        io.err << "sonvex-cli: " << TextCodec::ToUtf8(ParameterFile::Message(result, path)) << "\n";
        return kExitFailure;
    }
    if (!settings.Save(u"")) {
        io.err << "sonvex-cli: cannot write the configuration \"" << config
               << "\" (read-only or not writable); it is unchanged\n";
        return kExitFailure;
    }
    PrintConfiguration(io.out, settings);
    return kExitOk;
}
