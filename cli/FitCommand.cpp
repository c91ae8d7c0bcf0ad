#include "cli/FitCommand.h"

#include "cli/BandJson.h"
#include "cli/CliArguments.h"
#include "cli/CliConfiguration.h"
#include "cli/CommandOptions.h"
#include "cli/JsonWriter.h"
#include "fit/EqualiserFitter.h"
#include "measure/NumberToken.h"
#include "measure/ResponseFileReader.h"
#include "params/DeviceSteps.h"
#include "params/ToolLibrary.h"
#include "base/NumberText.h"
#include "base/TextCodec.h"

#include <chrono>
#include <optional>

namespace {

struct FitOptions {
    std::string config;
    int channel = 0;
    std::string measurement;
    std::optional<std::string> target;
    std::optional<double> tilt;
    FitEqualisers equalisers = FitEqualisers::Both;
    FitRange range;
    std::optional<std::string> out;
};

// The words after "fit"; false on a usage error, with the reason in error.
bool ParseOptions(const std::vector<std::string>& args, FitOptions& options, std::string& error) {
    const auto parsed = CommandOptions::Parse(
        args, {"channel", "measurement", "target", "tilt", "eq", "range", "out"}, error);
    if (!parsed) {
        return false;
    }
    if (parsed->Positional().size() != 1) {
        error = "fit needs one configuration file";
        return false;
    }
    options.config = parsed->Positional().front();
    const std::string channel = parsed->Value("channel").value_or("");
    if (channel != "0" && channel != "1") {
        error = "--channel must be 0 or 1";
        return false;
    }
    options.channel = channel == "1" ? 1 : 0;
    options.measurement = parsed->Value("measurement").value_or("");
    if (options.measurement.empty()) {
        error = "fit needs --measurement FILE";
        return false;
    }
    options.target = parsed->Value("target");
    if (const auto tilt = parsed->Value("tilt")) {
        options.tilt = NumberToken::Decimal(*tilt);
        if (!options.tilt) {
            error = "--tilt needs a number of dB per octave, not \"" + *tilt + "\"";
            return false;
        }
    }
    if (options.target && options.tilt) {
        error = "--target and --tilt exclude each other";
        return false;
    }
    const std::string eq = parsed->Value("eq").value_or("both");
    if (eq == "10" || eq == "8" || eq == "both") {
        options.equalisers = eq == "10"  ? FitEqualisers::TenBand
                             : eq == "8" ? FitEqualisers::EightBand
                                         : FitEqualisers::Both;
    } else {
        error = "--eq must be 10, 8 or both";
        return false;
    }
    if (const auto range = parsed->Value("range")) {
        const std::optional<FitRange> read = FitRange::Parse(*range);
        if (!read) {
            error = "--range needs LO-HI in Hz with 0 < LO < HI, not \"" + *range + "\"";
            return false;
        }
        options.range = *read;
    }
    options.out = parsed->Value("out");
    return true;
}

// Reads a response file; false, with the reader's message on err, when it is refused.
bool ReadResponse(const std::string& path, MeasuredResponse& response, std::ostream& err) {
    const ResponseFileResult result = ResponseFileReader::Read(path, response);
    if (!result.Ok()) {
        err << "sonvex-cli: " << ResponseFileReader::Message(result, path) << "\n";
        return false;
    }
    return true;
}

void NoteSwitchedOff(const ParameterSet& set, FitEqualisers equalisers, std::ostream& err) {
    if (equalisers != FitEqualisers::EightBand && !set.EQSwtch) {
        err << "sonvex-cli: note: the ten-band equaliser is switched off (EQSwtch=0); the fit "
               "counts it as on, and its bands take effect once it is\n";
    }
    if (equalisers != FitEqualisers::TenBand && !set.EQSwtch1) {
        err << "sonvex-cli: note: the eight-band equaliser is switched off (EQSwtch1=0); the fit "
               "counts it as on, and its bands take effect once it is\n";
    }
}

} // namespace

int FitCommand::Run(const std::vector<std::string>& args, CliIo& io) const {
    FitOptions options;
    std::string error;
    if (!ParseOptions(args, options, error)) {
        io.err << "sonvex-cli: " << error << "\nusage: sonvex-cli " << Synopsis() << "\n";
        return kExitUsage;
    }
    CliConfiguration config;
    if (!CliArguments::LoadConfiguration(options.config, config, io.err)) {
        return kExitFailure;
    }
    const int32_t sampleRate = config.Params.SWFS;
    if (DeviceSteps::MaxFrequency(sampleRate) < DeviceSteps::kMinFrequency) {
        io.err << "sonvex-cli: the configuration's sample rate SWFS is "
               << NumberText::FormatInt(sampleRate) << "; it leaves the bands no frequency\n";
        return kExitFailure;
    }
    MeasuredResponse measurement;
    if (!ReadResponse(options.measurement, measurement, io.err)) {
        return kExitUsage;
    }
    TargetCurve target = TargetCurve::Flat();
    if (options.target) {
        MeasuredResponse file;
        if (!ReadResponse(*options.target, file, io.err)) {
            return kExitUsage;
        }
        target = TargetCurve::FromResponse(std::move(file));
    } else if (options.tilt) {
        target = TargetCurve::Tilt(*options.tilt);
    }

    FitRequest request;
    request.parameters = config.Params;
    request.channel = options.channel;
    request.equalisers = options.equalisers;
    if (AlignedResponse::Align(measurement, target, options.range, sampleRate, request.response) !=
        AlignStatus::Ok) {
        io.err << "sonvex-cli: fewer than two measured points lie within "
               << NumberText::FormatShortest(static_cast<float>(options.range.low)) << "-"
               << NumberText::FormatShortest(static_cast<float>(options.range.high))
               << " Hz, below half the sample rate"
               << (options.target ? " and within the target's frequencies" : "") << "\n";
        return kExitUsage;
    }

    ToolLibrary library;
    library.Load(io.programDirectory);
    const auto begin = std::chrono::steady_clock::now();
    const FitResult result = EqualiserFitter(library).Fit(request);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    if (result.status == FitStatus::LibraryMissing) {
        io.err << TextCodec::ToUtf8(ToolLibrary::LoadFailureMessage()) << "\n";
        return kExitFailure;
    }
    if (!result.Ok()) {
        io.err << "sonvex-cli: the fit did not finish\n";
        return kExitFailure;
    }
    NoteSwitchedOff(config.Params, options.equalisers, io.err);
    if (options.out) {
        config.Params = result.AppliedTo(config.Params, options.channel);
        if (!config.SaveAs(*options.out, io.err)) {
            return kExitFailure;
        }
    }

    JsonWriter json(io.out);
    json.BeginObject();
    json.Key("rms_before_db").Float(static_cast<float>(result.rmsBefore));
    json.Key("rms_after_db").Float(static_cast<float>(result.rmsAfter));
    if (result.tenBand) {
        json.Key("eq10");
        WriteBands(json, *result.tenBand);
    }
    if (result.eightBand) {
        json.Key("eq8");
        WriteBands(json, *result.eightBand);
    }
    json.Key("seconds").Float(static_cast<float>(seconds));
    json.EndObject();
    json.Finish();
    return kExitOk;
}
