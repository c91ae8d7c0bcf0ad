#include "cli/CurveCommand.h"

#include "base/NumberText.h"
#include "cli/CliArguments.h"
#include "cli/CommandOptions.h"
#include "cli/EqualiserCall.h"
#include "params/EqualiserRecord.h"
#include "settings/CIniSettingBase.h"
#include "tool/FrequencyGrid.h"

#include <vector>

namespace {

// As the equaliser pages call the library.
constexpr float kStartFrequency = 20.0f;
constexpr int32_t kPoints = 1000;

// The record of one channel as the equaliser pages build it.
template <class Record>
std::vector<float> Floats(const Record& record) {
    const auto* first = reinterpret_cast<const float*>(&record);
    return std::vector<float>(first, first + sizeof(Record) / sizeof(float));
}

std::vector<float> ChannelInputs(const ParameterSet& p, int bands, int channel) {
    return bands == 10 ? Floats(EqualiserRecord::TenBand(p, channel))
                       : Floats(EqualiserRecord::EightBand(p, channel));
}

} // namespace

int CurveCommand::Run(const std::vector<std::string>& args, CliIo& io) const {
    std::string error;
    const auto options = CommandOptions::Parse(args, {"eq", "channel"}, error);
    const auto shape =
        options ? EqualiserCall::FromWord(options->Value("eq").value_or("")) : std::nullopt;
    const std::string channelWord = options ? options->Value("channel").value_or("") : "";
    if (!options || options->Positional().size() != 1 || !shape ||
        (channelWord != "0" && channelWord != "1")) {
        io.err << "sonvex-cli: " << (error.empty() ? "bad arguments" : error) << "\n"
               << "usage: sonvex-cli " << Synopsis() << "\n";
        return kExitUsage;
    }
    const std::string& path = options->Positional().front();
    CIniSettingBase config;
    if (!CliArguments::LoadConfiguration(path, config, io.err)) {
        return kExitFailure;
    }
    const int32_t sampleRate = config.Params.SWFS;
    if (sampleRate <= 0) {
        io.err << "sonvex-cli: the configuration's sample rate SWFS is "
               << NumberText::FormatInt(sampleRate) << "; it must be positive\n";
        return kExitFailure;
    }

    std::vector<float> record =
        ChannelInputs(config.Params, shape->Bands(), channelWord == "1" ? 1 : 0);
    std::vector<float> curve;
    if (!shape->Run(record, curve, sampleRate, kStartFrequency, kPoints, io)) {
        return kExitFailure;
    }
    const float step = sonvex_grid::Step(sampleRate, kStartFrequency, kPoints);
    std::string csv = "frequency_hz,gain_db\n";
    for (int32_t i = 0; i < kPoints; ++i) {
        csv += NumberText::FormatShortest(sonvex_grid::Frequency(kStartFrequency, step, i));
        csv += ',';
        csv += NumberText::FormatShortest(curve[static_cast<std::size_t>(i)]);
        csv += '\n';
    }
    io.out << csv;
    return kExitOk;
}
