#include "cli/CurveCommand.h"

#include "base/NumberText.h"
#include "base/TextCodec.h"
#include "cli/CliArguments.h"
#include "cli/CommandOptions.h"
#include "measure/NumberToken.h"
#include "params/ChainResponse.h"
#include "params/DeviceResponse.h"
#include "params/ToolLibrary.h"
#include "settings/CIniSettingBase.h"

#include <cmath>
#include <optional>
#include <vector>

namespace {

enum class Curve { TenBand, EightBand, Chain };

struct CurveOptions {
    std::optional<std::string> config;
    std::optional<std::string> file;
    Curve curve = Curve::TenBand;
    int channel = 0;
    int32_t points = 1000;
    float start = 20.0f;
};

// The words after "curve"; false on a usage error, with the reason in error.
bool Parse(const std::vector<std::string>& args, CurveOptions& options, std::string& error) {
    const auto parsed =
        CommandOptions::Parse(args, {"eq", "channel", "points", "start", "from-file"}, error);
    if (!parsed) {
        return false;
    }
    options.file = parsed->Value("from-file");
    const std::size_t wanted = options.file ? 0 : 1;
    if (parsed->Positional().size() != wanted) {
        error = options.file ? "--from-file takes the place of the configuration"
                             : "curve needs one configuration file or --from-file FILE.bin";
        return false;
    }
    if (!options.file) {
        options.config = parsed->Positional().front();
    }
    const std::string eq = parsed->Value("eq").value_or("");
    if (eq != "10" && eq != "8" && eq != "chain") {
        error = "--eq must be 10, 8 or chain";
        return false;
    }
    options.curve = eq == "10" ? Curve::TenBand : eq == "8" ? Curve::EightBand : Curve::Chain;
    const std::string channel = parsed->Value("channel").value_or("");
    if (channel != "0" && channel != "1") {
        error = "--channel must be 0 or 1";
        return false;
    }
    options.channel = channel == "1" ? 1 : 0;
    if (const auto points = parsed->Value("points")) {
        const std::optional<int32_t> count = CliArguments::StrictInt(*points);
        if (!count || *count < 1 || *count > DesignGrid::kMaxPoints) {
            error = "--points must be a whole number from 1 to " +
                    NumberText::FormatInt(DesignGrid::kMaxPoints);
            return false;
        }
        options.points = *count;
    }
    if (const auto start = parsed->Value("start")) {
        const std::optional<double> hertz = NumberToken::Decimal(*start);
        if (!hertz || !std::isfinite(static_cast<float>(*hertz))) {
            error = "--start needs a frequency in Hz, not \"" + *start + "\"";
            return false;
        }
        options.start = static_cast<float>(*hertz);
    }
    return true;
}

EqualiserKind KindOf(Curve curve) {
    return curve == Curve::EightBand ? EqualiserKind::EightBand : EqualiserKind::TenBand;
}

// The grid, or a message why the library cannot take it.
bool CheckGrid(const DesignGrid& grid, const char* whose, std::ostream& err) {
    if (grid.sampleRate < 2) {
        err << "sonvex-cli: the " << whose << " sample rate SWFS is "
            << NumberText::FormatInt(grid.sampleRate) << "; it must be positive\n";
        return false;
    }
    if (!grid.Valid()) {
        err << "sonvex-cli: --start " << NumberText::FormatShortest(grid.startFrequency)
            << " Hz is not below half the sample rate (" << NumberText::FormatInt(grid.sampleRate)
            << " Hz / 2)\n";
        return false;
    }
    return true;
}

template <class Value>
void PrintCsv(const DesignGrid& grid, const std::vector<Value>& db, std::ostream& out) {
    const std::vector<double> frequencies = grid.Frequencies();
    std::string csv = "frequency_hz,gain_db\n";
    for (std::size_t i = 0; i < frequencies.size() && i < db.size(); ++i) {
        // The grid's frequencies are single-precision values.
        csv += NumberText::FormatShortest(static_cast<float>(frequencies[i]));
        csv += ',';
        if constexpr (std::is_same_v<Value, float>) {
            csv += NumberText::FormatShortest(db[i]);
        } else {
            csv += NumberText::FormatShortestDouble(db[i]);
        }
        csv += '\n';
    }
    out << csv;
}

int FromConfiguration(const CurveOptions& options, CliIo& io) {
    CIniSettingBase config;
    if (!CliArguments::LoadConfiguration(*options.config, config, io.err)) {
        return kExitFailure;
    }
    const DesignGrid grid{config.Params.SWFS, options.start, options.points};
    if (!CheckGrid(grid, "configuration's", io.err)) {
        return kExitFailure;
    }
    ToolLibrary library;
    library.Load(io.programDirectory);
    const ChainResponse design(library);
    ChainStatus status = ChainStatus::Ok;
    if (options.curve == Curve::Chain) {
        std::vector<double> chain;
        status = design.Chain(config.Params, options.channel, grid, chain);
        if (status == ChainStatus::Ok) {
            PrintCsv(grid, chain, io.out);
        }
    } else {
        std::vector<float> curve;
        status = design.Equaliser(
            EqualiserBands::Of(config.Params, KindOf(options.curve), options.channel), grid, curve);
        if (status == ChainStatus::Ok) {
            PrintCsv(grid, curve, io.out);
        }
    }
    if (status == ChainStatus::LibraryMissing) {
        io.err << TextCodec::ToUtf8(ToolLibrary::LoadFailureMessage()) << "\n";
    }
    return status == ChainStatus::Ok ? kExitOk : kExitFailure;
}

int FromFile(const CurveOptions& options, CliIo& io) {
    const std::u16string path = CliArguments::Path(*options.file);
    ParameterArray values{};
    const ParameterFileResult read = ParameterFile::ReadArray(path, values);
    if (!read.Ok()) {
        io.err << "sonvex-cli: " << TextCodec::ToUtf8(ParameterFile::Message(read, path)) << "\n";
        return kExitFailure;
    }
    const DesignGrid grid{DeviceResponse::FileSampleRate(values), options.start, options.points};
    if (!CheckGrid(grid, "file's", io.err)) {
        return kExitFailure;
    }
    std::vector<double> db;
    const DeviceCurveStatus status =
        options.curve == Curve::Chain ? DeviceResponse::FileChain(values, options.channel, grid, db)
                                      : DeviceResponse::FileEqualiser(values, KindOf(options.curve),
                                                                      options.channel, grid, db);
    switch (status) {
    case DeviceCurveStatus::Ok:
        PrintCsv(grid, db, io.out);
        return kExitOk;
    case DeviceCurveStatus::NoChannel:
        io.err << "sonvex-cli: \"" << *options.file
               << "\" carries one channel only (CHANUM is not 2); there is no channel 1\n";
        break;
    case DeviceCurveStatus::NotFiniteStored:
        io.err << "sonvex-cli: \"" << *options.file
               << "\" holds a filter coefficient that is not a finite number in channel "
               << options.channel << "\n";
        break;
    case DeviceCurveStatus::BadGrid:
        break; // checked above
    }
    return kExitFailure;
}

} // namespace

int CurveCommand::Run(const std::vector<std::string>& args, CliIo& io) const {
    CurveOptions options;
    std::string error;
    if (!Parse(args, options, error)) {
        io.err << "sonvex-cli: " << error << "\n"
               << "usage: sonvex-cli " << Synopsis() << "\n";
        return kExitUsage;
    }
    return options.file ? FromFile(options, io) : FromConfiguration(options, io);
}
