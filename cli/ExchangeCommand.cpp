#include "cli/ExchangeCommand.h"

#include "base/NumberText.h"
#include "cli/BandJson.h"
#include "cli/CliArguments.h"
#include "cli/CliConfiguration.h"
#include "cli/CommandOptions.h"
#include "cli/JsonWriter.h"
#include "exchange/ParametricEqImport.h"
#include "exchange/ParametricEqReader.h"
#include "exchange/ParametricEqWriter.h"
#include "measure/NumberToken.h"
#include "params/ChannelFields.h"
#include "params/DeviceSteps.h"

#include <optional>

namespace {

struct Target {
    EqualiserKind kind = EqualiserKind::TenBand;
    int channel = 0;
};

// --eq and --channel; false, with the reason in error, when they are missing or wrong.
bool ParseTarget(const CommandOptions& options, Target& target, std::string& error) {
    const std::string eq = options.Value("eq").value_or("");
    const std::string channel = options.Value("channel").value_or("");
    if (eq != "10" && eq != "8") {
        error = "--eq must be 10 or 8";
        return false;
    }
    if (channel != "0" && channel != "1") {
        error = "--channel must be 0 or 1";
        return false;
    }
    target.kind = eq == "10" ? EqualiserKind::TenBand : EqualiserKind::EightBand;
    target.channel = channel == "1" ? 1 : 0;
    return true;
}

int Usage(const std::string& error, const char* synopsis, CliIo& io) {
    io.err << "sonvex-cli: " << error << "\nusage: sonvex-cli " << synopsis << "\n";
    return kExitUsage;
}

} // namespace

const char* ExchangeCommand::Name() const {
    return direction_ == Direction::Export ? "export-eq" : "import-eq";
}

const char* ExchangeCommand::Synopsis() const {
    return direction_ == Direction::Export
               ? "export-eq CONFIG --eq 10|8 --channel 0|1 [--preamp DB]"
               : "import-eq CONFIG FILE --eq 10|8 --channel 0|1 [--out CONFIG2]";
}

int ExchangeCommand::Run(const std::vector<std::string>& args, CliIo& io) const {
    return direction_ == Direction::Export ? Export(args, io) : Import(args, io);
}

int ExchangeCommand::Export(const std::vector<std::string>& args, CliIo& io) const {
    std::string error;
    const auto options = CommandOptions::Parse(args, {"eq", "channel", "preamp"}, error);
    Target target;
    if (!options || !ParseTarget(*options, target, error)) {
        return Usage(error, Synopsis(), io);
    }
    if (options->Positional().size() != 1) {
        return Usage("export-eq needs one configuration file", Synopsis(), io);
    }
    std::optional<double> preamp;
    if (const auto word = options->Value("preamp")) {
        preamp = NumberToken::Decimal(*word);
        if (!preamp) {
            return Usage("--preamp needs a number of dB, not \"" + *word + "\"", Synopsis(), io);
        }
    }
    CIniSettingBase config;
    if (!CliArguments::LoadConfiguration(options->Positional().front(), config, io.err)) {
        return kExitFailure;
    }
    io.out << ParametricEqWriter::Write(
        EqualiserBands::Of(config.Params, target.kind, target.channel), preamp);
    return kExitOk;
}

int ExchangeCommand::Import(const std::vector<std::string>& args, CliIo& io) const {
    std::string error;
    const auto options = CommandOptions::Parse(args, {"eq", "channel", "out"}, error);
    Target target;
    if (!options || !ParseTarget(*options, target, error)) {
        return Usage(error, Synopsis(), io);
    }
    if (options->Positional().size() != 2) {
        return Usage("import-eq needs a configuration file and an EQ file", Synopsis(), io);
    }
    CliConfiguration config;
    if (!CliArguments::LoadConfiguration(options->Positional()[0], config, io.err)) {
        return kExitFailure;
    }
    const int32_t sampleRate = config.Params.SWFS;
    if (DeviceSteps::MaxFrequency(sampleRate) < DeviceSteps::kMinFrequency) {
        io.err << "sonvex-cli: the configuration's sample rate SWFS is "
               << NumberText::FormatInt(sampleRate) << "; it leaves the bands no frequency\n";
        return kExitFailure;
    }
    const std::string& path = options->Positional()[1];
    ParametricEq eq;
    const EqFileResult read = ParametricEqReader::Read(path, eq);
    if (!read.Ok()) {
        io.err << "sonvex-cli: " << ParametricEqReader::Message(read, path) << "\n";
        return kExitUsage;
    }
    const EqImport imported = ParametricEqImport::Apply(
        eq, EqualiserBands::Of(config.Params, target.kind, target.channel), sampleRate);
    for (const EqImportChange& change : imported.changes) {
        io.err << "sonvex-cli: " << change.Text() << "\n";
    }
    if (const auto out = options->Value("out")) {
        imported.bands.StoreInto(config.Params, target.channel);
        if (imported.gain2) {
            ChannelFields::Get("SCTRGAIN*2").Of(target.channel).Ints(config.Params)[0] =
                *imported.gain2;
        }
        if (!config.SaveAs(*out, io.err)) {
            return kExitFailure;
        }
    }
    JsonWriter json(io.out);
    json.BeginObject();
    json.Key(target.kind == EqualiserKind::TenBand ? "eq10" : "eq8");
    WriteBands(json, imported.bands);
    if (imported.gain2) {
        json.Key("gain2").Int(*imported.gain2);
    }
    json.Key("changes").BeginArray();
    for (const EqImportChange& change : imported.changes) {
        json.String(change.Text());
    }
    json.EndArray();
    json.EndObject();
    json.Finish();
    return kExitOk;
}
