#include "cli/DesignCommand.h"

#include "cli/CliArguments.h"
#include "cli/CommandOptions.h"
#include "cli/EqualiserCall.h"
#include "cli/JsonWriter.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

// One decimal number, the whole word: optional sign, digits, point, fraction, exponent. A value
// that is not a finite float (inf, nan, 1e39) is refused.
std::optional<float> StrictFloat(std::string_view word) {
    if (!word.empty() && word.front() == '+') {
        word.remove_prefix(1);
        if (!word.empty() && word.front() == '-') {
            return std::nullopt;
        }
    }
    if (word.empty() || word.find_first_not_of("0123456789.eE+-") != std::string_view::npos) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, ec] =
        std::from_chars(word.data(), word.data() + word.size(), value, std::chars_format::general);
    if (ec != std::errc() || end != word.data() + word.size() ||
        !(std::fabs(value) <= std::numeric_limits<float>::max())) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

// A comma-separated list of exactly count numbers.
bool ParseList(const std::string& text, std::size_t count, std::vector<float>& out) {
    std::size_t start = 0;
    std::vector<float> values;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string_view word = std::string_view(text).substr(
            start, comma == std::string::npos ? std::string::npos : comma - start);
        const std::optional<float> value = StrictFloat(word);
        if (!value) {
            return false;
        }
        values.push_back(*value);
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    if (values.size() != count) {
        return false;
    }
    out.insert(out.end(), values.begin(), values.end());
    return true;
}

const char* KindName(BandKind kind) {
    switch (kind) {
    case BandKind::LowShelf:
        return "low_shelf";
    case BandKind::HighShelf:
        return "high_shelf";
    case BandKind::Peaking:
        break;
    }
    return "peaking";
}

} // namespace

int DesignCommand::Run(const std::vector<std::string>& args, CliIo& io) const {
    std::string error;
    const auto options = CommandOptions::Parse(args, {"eq", "rate", "gains", "freqs", "q"}, error);
    const auto usage = [&](const std::string& reason) {
        io.err << "sonvex-cli: " << reason << "\nusage: sonvex-cli " << Synopsis() << "\n";
        return static_cast<int>(kExitUsage);
    };
    if (!options) {
        return usage(error);
    }
    if (!options->Positional().empty()) {
        return usage("unexpected argument \"" + options->Positional().front() + "\"");
    }
    const auto shape = EqualiserCall::FromWord(options->Value("eq").value_or(""));
    if (!shape) {
        return usage("--eq must be 10 or 8");
    }
    const auto rate = CliArguments::StrictInt(options->Value("rate").value_or(""));
    if (!rate || *rate <= 0) {
        return usage("--rate must be a positive whole number of Hz");
    }
    const std::size_t bands = static_cast<std::size_t>(shape->Bands());
    const std::size_t peaks = static_cast<std::size_t>(shape->Peaks());
    std::vector<float> record;
    const struct {
        const char* name;
        std::size_t count;
    } lists[] = {{"gains", bands}, {"freqs", bands}, {"q", peaks}};
    for (const auto& list : lists) {
        if (!ParseList(options->Value(list.name).value_or(""), list.count, record)) {
            return usage(std::string("--") + list.name + " needs " + std::to_string(list.count) +
                         " comma-separated numbers");
        }
    }

    std::vector<float> curve;
    if (!shape->Run(record, curve, *rate, 20.0f, 0, io)) {
        return kExitFailure;
    }
    static const char* const kNames[5] = {"k1", "k2", "c0", "c1", "c2"};
    JsonWriter json(io.out);
    json.BeginObject().Key("bands").BeginArray();
    for (int band = 0; band < shape->Bands(); ++band) {
        json.BeginObject().Key("band").Int(band).Key("kind").String(
            KindName(shape->Layout().KindOf(band)));
        const std::vector<float> section = shape->Section(record, band);
        for (std::size_t i = 0; i < section.size(); ++i) {
            json.Key(kNames[i]).Float(section[i]);
        }
        json.EndObject();
    }
    json.EndArray().EndObject();
    json.Finish();
    return kExitOk;
}
