#include "exchange/ParametricEqReader.h"

#include "measure/MessageText.h"
#include "measure/NumberToken.h"
#include "measure/TextLines.h"
#include "base/NumberText.h"
#include "base/SafeFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <vector>

namespace {

struct MessageRow {
    EqFileError error;
    const char* key;
    const char* pattern;
};

// %1 the path, %2 the line, %3 the word.
constexpr std::array<MessageRow, 10> kMessages{{
    {EqFileError::CannotRead, "IDS_EQFILE_CANNOT_READ", "cannot read \"%1\""},
    {EqFileError::TooLarge, "IDS_EQFILE_TOO_LARGE", "\"%1\" is larger than 1 MB"},
    {EqFileError::NoFilters, "IDS_EQFILE_NO_FILTERS", "\"%1\" holds no Preamp or Filter line"},
    {EqFileError::UnknownType, "IDS_EQFILE_UNKNOWN_TYPE",
     "\"%1\", line %2: the filter type \"%3\" is not one the device has (PK, LS, LSC, HS, HSC)"},
    {EqFileError::UnknownField, "IDS_EQFILE_UNKNOWN_FIELD",
     "\"%1\", line %2: \"%3\" is not a field of a filter (Fc, Gain, Q, BW)"},
    {EqFileError::MissingValue, "IDS_EQFILE_MISSING_VALUE", "\"%1\", line %2: no value for %3"},
    {EqFileError::NotANumber, "IDS_EQFILE_NOT_A_NUMBER", "\"%1\", line %2: \"%3\" is not a number"},
    {EqFileError::OutOfRange, "IDS_EQFILE_OUT_OF_RANGE", "\"%1\", line %2: %3 must be above 0"},
    {EqFileError::UnsupportedLine, "IDS_EQFILE_UNSUPPORTED_LINE",
     "\"%1\", line %2: \"%3\" lines are not read; only Preamp and Filter lines are"},
    {EqFileError::None, "", ""},
}};

// Commands of system-wide equalisers that make the filters mean something else.
constexpr std::array<std::string_view, 10> kRefusedCommands{
    "channel", "graphiceq", "convolution", "copy", "delay",
    "include", "if",        "elseif",      "else", "endif"};

std::string Lower(std::string_view word) {
    std::string lower(word);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::vector<std::string_view> Words(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\f\v";
    std::vector<std::string_view> words;
    std::size_t start = text.find_first_not_of(kBlanks);
    while (start != std::string_view::npos) {
        const std::size_t end = text.find_first_of(kBlanks, start);
        words.push_back(text.substr(start, end - start));
        start = end == std::string_view::npos ? end : text.find_first_not_of(kBlanks, end);
    }
    return words;
}

EqFileResult Refusal(EqFileError error, int64_t line, std::string_view word = {}) {
    return EqFileResult{error, line, TextLines::Quote(word)};
}

// "filter", "filter 12", "filter12": the number, 0 when there is none; none when it is not a
// filter line's head.
std::optional<int> FilterNumber(const std::string& head) {
    if (!head.starts_with("filter")) {
        return std::nullopt;
    }
    const std::string_view rest = TextLines::Trim(std::string_view(head).substr(6));
    if (rest.empty()) {
        return 0;
    }
    if (rest.size() > 6 || !std::all_of(rest.begin(), rest.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c)) != 0;
        })) {
        return std::nullopt;
    }
    return std::stoi(std::string(rest));
}

// The words of one filter line after its colon, read one after another.
class FilterWords {
public:
    FilterWords(std::string_view body, int64_t line) : words_(Words(body)), line_(line) {}

    bool AtEnd() const { return next_ >= words_.size(); }
    std::string_view Peek() const { return AtEnd() ? std::string_view{} : words_[next_]; }
    std::string_view Take() { return AtEnd() ? std::string_view{} : words_[next_++]; }

    // A number with an optional unit, apart ("1000 Hz") or stuck to it ("1000Hz"); scale is
    // applied when the unit is scaledUnit ("kHz").
    EqFileResult Number(std::string_view field, std::string_view unit, double& value,
                        std::string& word, std::string_view scaledUnit = {}, double scale = 1.0) {
        if (AtEnd()) {
            return Refusal(EqFileError::MissingValue, line_, field);
        }
        std::string_view text = Take();
        word = std::string(text);
        double factor = 1.0;
        const auto stripUnit = [&](std::string_view name, double unitFactor) {
            const std::string lower = Lower(text);
            if (!name.empty() && lower.size() > name.size() && lower.ends_with(Lower(name))) {
                text.remove_suffix(name.size());
                factor = unitFactor;
                return true;
            }
            return false;
        };
        if (!stripUnit(scaledUnit, scale)) {
            stripUnit(unit, 1.0);
        }
        const std::optional<double> number = NumberToken::Decimal(text);
        if (!number) {
            return Refusal(EqFileError::NotANumber, line_, word);
        }
        const std::string after = Lower(Peek());
        if (!scaledUnit.empty() && after == Lower(scaledUnit)) {
            factor = scale;
            Take();
        } else if (!unit.empty() && after == Lower(unit)) {
            Take();
        }
        value = *number * factor;
        // As written, without its unit; in the plain unit when it came in the scaled one.
        word = factor == 1.0 ? std::string(text)
                             : NumberText::FormatShortest(static_cast<float>(value));
        return {};
    }

private:
    std::vector<std::string_view> words_;
    std::size_t next_ = 0;
    int64_t line_;
};

std::optional<ParametricFilter::Type> TypeOf(const std::string& lower) {
    if (lower == "pk" || lower == "peq") {
        return ParametricFilter::Type::Peaking;
    }
    if (lower == "ls" || lower == "lsc") {
        return ParametricFilter::Type::LowShelf;
    }
    if (lower == "hs" || lower == "hsc") {
        return ParametricFilter::Type::HighShelf;
    }
    return std::nullopt;
}

// A shelf's slope after its type: "6dB", "12dB" or "6 dB". False when none stands there.
bool Slope(FilterWords& words, ParametricFilter& filter) {
    const std::string first = Lower(words.Peek());
    if (first.size() > 2 && first.ends_with("db")) {
        if (const auto slope = NumberToken::Decimal(first.substr(0, first.size() - 2))) {
            filter.slope = *slope;
            filter.typeWord += ' ';
            filter.typeWord += words.Take();
            return true;
        }
        return false;
    }
    if (const auto slope = NumberToken::Decimal(first)) {
        FilterWords probe = words;
        probe.Take();
        if (Lower(probe.Peek()) == "db") {
            filter.slope = *slope;
            filter.typeWord += ' ';
            filter.typeWord += words.Take();
            filter.typeWord += words.Take();
            return true;
        }
    }
    return false;
}

// The fields after the type; the filter's own checks at the end.
EqFileResult Fields(FilterWords& words, int64_t line, ParametricFilter& filter) {
    bool hasFrequency = false;
    bool hasGain = false;
    while (!words.AtEnd()) {
        const std::string_view name = words.Take();
        const std::string key = Lower(name);
        double value = 0.0;
        EqFileResult result;
        if (key == "fc") {
            result = words.Number(name, "Hz", value, filter.frequencyWord, "kHz", 1000.0);
            filter.frequency = value;
            hasFrequency = true;
        } else if (key == "gain") {
            result = words.Number(name, "dB", value, filter.gainWord);
            filter.gain = value;
            hasGain = true;
        } else if (key == "q") {
            result = words.Number(name, "", value, filter.qWord);
            filter.q = value;
        } else if (key == "bw") {
            if (Lower(words.Peek()) == "oct") {
                words.Take();
            }
            result = words.Number(name, "Oct", value, filter.bandwidthWord);
            filter.bandwidth = value;
        } else {
            return Refusal(EqFileError::UnknownField, line, name);
        }
        if (!result.Ok()) {
            return result;
        }
        if (value <= 0.0 && key != "gain") {
            return Refusal(EqFileError::OutOfRange, line, name);
        }
    }
    if (!hasFrequency) {
        return Refusal(EqFileError::MissingValue, line, "Fc");
    }
    if (!hasGain) {
        return Refusal(EqFileError::MissingValue, line, "Gain");
    }
    if (!filter.IsShelf() && !filter.q && !filter.bandwidth) {
        return Refusal(EqFileError::MissingValue, line, "Q");
    }
    return {};
}

// One Filter line; skipped (no filter added) when it is off or "None".
EqFileResult FilterLine(std::string_view body, int64_t line, int number, ParametricEq& eq) {
    FilterWords words(body, line);
    const std::string state = Lower(words.Peek());
    if (state == "off") {
        return {};
    }
    if (state == "on") {
        words.Take();
    }
    if (words.AtEnd()) {
        return Refusal(EqFileError::MissingValue, line, "the filter type");
    }
    const std::string_view typeWord = words.Take();
    const std::string lower = Lower(typeWord);
    if (lower == "none") {
        return {};
    }
    const std::optional<ParametricFilter::Type> type = TypeOf(lower);
    if (!type) {
        return Refusal(EqFileError::UnknownType, line, typeWord);
    }
    ParametricFilter filter;
    filter.number = number;
    filter.line = line;
    filter.type = *type;
    filter.typeWord = std::string(typeWord);
    if (filter.IsShelf()) {
        Slope(words, filter);
    }
    const EqFileResult result = Fields(words, line, filter);
    if (result.Ok()) {
        eq.filters.push_back(std::move(filter));
    }
    return result;
}

EqFileResult PreampLine(std::string_view body, int64_t line, ParametricEq& eq) {
    FilterWords words(body, line);
    double value = 0.0;
    std::string word;
    const EqFileResult result = words.Number("Preamp", "dB", value, word);
    if (!result.Ok()) {
        return result;
    }
    if (!words.AtEnd()) {
        return Refusal(EqFileError::NotANumber, line, words.Take());
    }
    eq.preamp = eq.preamp.value_or(0.0) + value;
    if (!eq.preampWord.empty()) {
        eq.preampWord += " + ";
    }
    eq.preampWord += word;
    return {};
}

} // namespace

EqFileResult ParametricEqReader::Read(const std::string& path, ParametricEq& eq) {
    std::string bytes;
    if (!SafeFile::Read(path, bytes, kMaxBytes + 1)) {
        return Refusal(EqFileError::CannotRead, 0);
    }
    if (bytes.size() > kMaxBytes) {
        return Refusal(EqFileError::TooLarge, 0);
    }
    return Parse(bytes, eq);
}

EqFileResult ParametricEqReader::Parse(std::string_view text, ParametricEq& eq) {
    TextLines lines(text);
    ParametricEq read;
    int filterLines = 0;
    bool any = false;
    std::string_view line;
    while (lines.Next(line)) {
        const std::string_view trimmed = TextLines::Trim(line);
        const std::size_t colon = trimmed.find(':');
        if (trimmed.empty() || trimmed.front() == '#' || colon == std::string_view::npos) {
            continue;
        }
        const std::string_view headWord = TextLines::Trim(trimmed.substr(0, colon));
        const std::string head = Lower(headWord);
        const std::string_view body = trimmed.substr(colon + 1);
        EqFileResult result;
        if (head == "preamp") {
            any = true;
            result = PreampLine(body, lines.Number(), read);
        } else if (const std::optional<int> number = FilterNumber(head)) {
            any = true;
            ++filterLines;
            result = FilterLine(body, lines.Number(), *number > 0 ? *number : filterLines, read);
        } else if (std::find(kRefusedCommands.begin(), kRefusedCommands.end(), head) !=
                       kRefusedCommands.end() &&
                   !(head == "channel" && Lower(TextLines::Trim(body)) == "all")) {
            result = Refusal(EqFileError::UnsupportedLine, lines.Number(), headWord);
        }
        if (!result.Ok()) {
            return result;
        }
    }
    if (!any) {
        return Refusal(EqFileError::NoFilters, 0);
    }
    eq = std::move(read);
    return {};
}

const char* ParametricEqReader::Template(EqFileError error) {
    const auto found = std::find_if(kMessages.begin(), kMessages.end(),
                                    [error](const MessageRow& row) { return row.error == error; });
    return found == kMessages.end() ? "" : found->pattern;
}

const char* ParametricEqReader::Key(EqFileError error) {
    const auto found = std::find_if(kMessages.begin(), kMessages.end(),
                                    [error](const MessageRow& row) { return row.error == error; });
    return found == kMessages.end() ? "" : found->key;
}

std::string ParametricEqReader::Message(const EqFileResult& result, std::string_view path) {
    return MessageText::Format(Template(result.error),
                               {path, NumberText::FormatInt(result.line), result.word});
}
