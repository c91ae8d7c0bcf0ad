#include "cli/CurveCommand.h"

#include "cli/CliArguments.h"
#include "cli/CommandOptions.h"
#include "cli/EqualiserCall.h"
#include "settings/CIniSettingBase.h"
#include "settings/NumberText.h"
#include "tool/FrequencyGrid.h"

#include <array>

namespace {

// As the equaliser pages call the library.
constexpr float kStartFrequency = 20.0f;
constexpr int32_t kPoints = 1000;

// The band settings of one channel: gains and frequencies converted to float, Q copied.
template <std::size_t Bands, std::size_t Peaks>
std::vector<float> BandInputs(const std::array<int32_t, Bands>& gains,
                              const std::array<int32_t, Bands>& frequencies,
                              const std::array<float, Peaks>& q) {
    std::vector<float> record;
    for (int32_t gain : gains) {
        record.push_back(static_cast<float>(gain));
    }
    for (int32_t frequency : frequencies) {
        record.push_back(static_cast<float>(frequency));
    }
    record.insert(record.end(), q.begin(), q.end());
    return record;
}

std::vector<float> ChannelInputs(const ParameterSet& p, int bands, int channel) {
    if (bands == 10) {
        return channel == 0 ? BandInputs(p.EQGAINLEFT, p.EQCFLEFT, p.EQQLEFT)
                            : BandInputs(p.EQGAINRIGHT, p.EQCFRIGHT, p.EQQRIGHT);
    }
    return channel == 0 ? BandInputs(p.EQGAINLEFT1, p.EQCFLEFT1, p.EQQLEFT1)
                        : BandInputs(p.EQGAINRIGHT1, p.EQCFRIGHT1, p.EQQRIGHT1);
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
    if (!config.Load(CliArguments::Path(path))) {
        io.err << "sonvex-cli: cannot read the configuration \"" << path << "\"\n";
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
