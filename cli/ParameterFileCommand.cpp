#include "cli/ParameterFileCommand.h"

#include "base/TextCodec.h"
#include "cli/CliArguments.h"
#include "cli/ParameterJson.h"
#include "params/ParameterFile.h"
#include "params/ToolLibrary.h"
#include "settings/CIniSettingBase.h"

const char* ParameterFileCommand::Name() const {
    return kind_ == Kind::Write ? "write" : "read";
}

const char* ParameterFileCommand::Synopsis() const {
    return kind_ == Kind::Write ? "write CONFIG OUT.bin" : "read IN.bin CONFIG [--force]";
}

int ParameterFileCommand::Run(const std::vector<std::string>& args, CliIo& io) const {
    std::vector<std::string> words = args;
    const bool force = kind_ == Kind::Read && CliArguments::TakeForce(words);
    if (words.size() != 2) {
        io.err << "usage: sonvex-cli " << Synopsis() << "\n";
        return kExitUsage;
    }
    return kind_ == Kind::Write ? Write(words[0], words[1], io)
                                : Read(words[0], words[1], force, io);
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

int ParameterFileCommand::Read(const std::string& file, const std::string& config, bool force,
                               CliIo& io) const {
    CIniSettingBase settings;
    if (!CliArguments::LoadConfiguration(config, settings, io.err)) {
        return kExitFailure;
    }
    const std::u16string path = CliArguments::Path(file);
    const ParameterFileResult result = ParameterFile::ReadParameterFile(
        path, settings.Params, force ? FileLength::Any : FileLength::Exact);
    if (!result.Ok()) {
        io.err << "sonvex-cli: " << TextCodec::ToUtf8(ParameterFile::Message(result, path)) << "\n";
        if (result.status == ParameterFileStatus::WrongLength) {
            io.err << "sonvex-cli: --force reads it anyway, the missing values as 0\n";
        }
        return kExitFailure;
    }
    if (!CliArguments::SaveConfiguration(config, settings, io.err)) {
        return kExitFailure;
    }
    PrintConfiguration(io.out, settings);
    return kExitOk;
}
