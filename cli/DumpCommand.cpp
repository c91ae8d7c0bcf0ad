#include "cli/DumpCommand.h"

#include "base/TextCodec.h"
#include "cli/CliArguments.h"
#include "cli/JsonWriter.h"
#include "cli/ParameterJson.h"
#include "params/ParameterFile.h"

#include <span>

namespace {

void WriteFloats(JsonWriter& json, const char* key, std::span<const float> values) {
    json.Key(key).BeginArray();
    for (const float value : values) {
        json.Float(value);
    }
    json.EndArray();
}

} // namespace

int DumpCommand::Run(const std::vector<std::string>& args, CliIo& io) const {
    std::vector<std::string> words = args;
    const bool force = CliArguments::TakeForce(words);
    if (words.size() != 1) {
        io.err << "usage: sonvex-cli " << Synopsis() << "\n";
        return kExitUsage;
    }
    const std::u16string path = CliArguments::Path(words[0]);
    ParameterArray values{};
    const ParameterFileResult result =
        ParameterFile::ReadArray(path, values, force ? FileLength::Any : FileLength::Exact);
    if (!result.Ok()) {
        io.err << "sonvex-cli: " << TextCodec::ToUtf8(ParameterFile::Message(result, path)) << "\n";
        if (result.status == ParameterFileStatus::WrongLength) {
            io.err << "sonvex-cli: --force reads it anyway, the missing values as 0\n";
        }
        return kExitFailure;
    }
    ParameterSet set;
    ParameterFile::ArrayToFields(values, set);

    JsonWriter json(io.out);
    json.BeginObject();
    WriteParameterFields(json, set);
    WriteFloats(json, "EQ10COEF_L", ParameterFile::TenBandCoefficients(values, 0));
    WriteFloats(json, "EQ10COEF_R", ParameterFile::TenBandCoefficients(values, 1));
    WriteFloats(json, "EQ8COEF_L", ParameterFile::EightBandCoefficients(values, 0));
    WriteFloats(json, "EQ8COEF_R", ParameterFile::EightBandCoefficients(values, 1));
    json.EndObject();
    json.Finish();
    return kExitOk;
}
