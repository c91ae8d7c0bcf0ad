#include "measure/ResponseFileReader.h"

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
    ResponseFileError error;
    const char* key;
    const char* pattern;
};

// %1 the path, %2 the line, %3 the word.
constexpr std::array<MessageRow, 9> kMessages{{
    {ResponseFileError::CannotRead, "IDS_MEASURE_CANNOT_READ", "cannot read \"%1\""},
    {ResponseFileError::TooLarge, "IDS_MEASURE_TOO_LARGE", "\"%1\" is larger than 64 MB"},
    {ResponseFileError::NoData, "IDS_MEASURE_NO_DATA", "\"%1\" holds no data lines"},
    {ResponseFileError::NotANumber, "IDS_MEASURE_NOT_A_NUMBER",
     "\"%1\", line %2: \"%3\" is not a number"},
    {ResponseFileError::MissingValue, "IDS_MEASURE_MISSING_VALUE",
     "\"%1\", line %2: the line holds no frequency and level"},
    {ResponseFileError::NotPositive, "IDS_MEASURE_NOT_POSITIVE",
     "\"%1\", line %2: the frequency %3 Hz is not positive"},
    {ResponseFileError::NotIncreasing, "IDS_MEASURE_NOT_INCREASING",
     "\"%1\", line %2: the frequency %3 Hz is not above the one before"},
    {ResponseFileError::TooManyPoints, "IDS_MEASURE_TOO_MANY_POINTS",
     "\"%1\", line %2: more than 1000000 points"},
    {ResponseFileError::NoColumns, "IDS_MEASURE_NO_COLUMNS",
     "\"%1\", line %2: the header names no frequency column and level column"},
}};

const MessageRow* Row(ResponseFileError error) {
    const auto found = std::find_if(kMessages.begin(), kMessages.end(),
                                    [error](const MessageRow& row) { return row.error == error; });
    return found == kMessages.end() ? nullptr : &*found;
}

// Header words that name the two columns, compared in lower case.
constexpr std::array<std::string_view, 5> kFrequencyWords{"f", "freq", "frequency", "frequencies",
                                                          "hz"};
constexpr std::array<std::string_view, 15> kLevelWords{
    "db",  "spl",      "magnitude", "mag",  "gain", "level", "raw", "amplitude",
    "amp", "response", "dbspl",     "dbfs", "dbv",  "dbu",   "dbr"};

constexpr std::string_view kBlanks = " \t\f\v";

// On a line that separates with semicolons, a comma is a decimal comma.
std::string Decimal(std::string_view word, bool semicolons) {
    std::string text(TextLines::Trim(word));
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        text = std::string(TextLines::Trim(std::string_view(text).substr(1, text.size() - 2)));
    }
    if (semicolons) {
        std::replace(text.begin(), text.end(), ',', '.');
    }
    return text;
}

// Splits on runs of separator characters (the measurement tools' text export).
std::vector<std::string> SplitRuns(std::string_view line) {
    const bool semicolons = line.find(';') != std::string_view::npos;
    const std::string_view separators = semicolons ? " \t\f\v;" : " \t\f\v,";
    std::vector<std::string> words;
    std::size_t start = line.find_first_not_of(separators);
    while (start != std::string_view::npos) {
        const std::size_t end = line.find_first_of(separators, start);
        words.push_back(Decimal(line.substr(start, end - start), semicolons));
        start = end == std::string_view::npos ? end : line.find_first_not_of(separators, end);
    }
    return words;
}

// The separator a CSV header uses: ',', ';', a tab, or '\0' for runs of blanks.
char HeaderSeparator(std::string_view header) {
    for (const char separator : {',', ';', '\t'}) {
        if (header.find(separator) != std::string_view::npos) {
            return separator;
        }
    }
    return '\0';
}

// Splits a CSV row on its separator, keeping empty cells in their columns.
std::vector<std::string> SplitCells(std::string_view line, char separator) {
    if (separator == '\0') {
        std::vector<std::string> words;
        std::size_t start = line.find_first_not_of(kBlanks);
        while (start != std::string_view::npos) {
            const std::size_t end = line.find_first_of(kBlanks, start);
            words.push_back(Decimal(line.substr(start, end - start), false));
            start = end == std::string_view::npos ? end : line.find_first_not_of(kBlanks, end);
        }
        return words;
    }
    std::vector<std::string> cells;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = line.find(separator, start);
        cells.push_back(Decimal(line.substr(start, end - start), separator == ';'));
        if (end == std::string_view::npos) {
            return cells;
        }
        start = end + 1;
    }
}

// The letter words of a header cell, in lower case: "Frequency (Hz)" gives frequency, hz.
std::vector<std::string> Letters(std::string_view cell) {
    std::vector<std::string> words(1);
    for (const char c : cell) {
        if (std::isalpha(static_cast<unsigned char>(c)) != 0) {
            words.back() += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else if (!words.back().empty()) {
            words.emplace_back();
        }
    }
    if (words.back().empty()) {
        words.pop_back();
    }
    return words;
}

template <std::size_t N>
bool Names(const std::string& cell, const std::array<std::string_view, N>& names) {
    const std::vector<std::string> words = Letters(cell);
    return std::any_of(words.begin(), words.end(), [&](const std::string& word) {
        return std::find(names.begin(), names.end(), word) != names.end();
    });
}

struct Columns {
    char separator = '\0';
    std::size_t frequency = 0;
    std::size_t level = 0;
};

std::optional<Columns> FindColumns(std::string_view header) {
    Columns columns;
    columns.separator = HeaderSeparator(header);
    const std::vector<std::string> cells = SplitCells(header, columns.separator);
    const auto frequency = std::find_if(cells.begin(), cells.end(), [](const std::string& cell) {
        return Names(cell, kFrequencyWords);
    });
    if (frequency == cells.end()) {
        return std::nullopt;
    }
    columns.frequency = static_cast<std::size_t>(frequency - cells.begin());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i != columns.frequency && Names(cells[i], kLevelWords)) {
            columns.level = i;
            return columns;
        }
    }
    return std::nullopt;
}

ResponseFileResult Refusal(ResponseFileError error, int64_t line, std::string_view word = {}) {
    return ResponseFileResult{error, line, TextLines::Quote(word)};
}

// Reads the frequency and level words of one data line into the response.
ResponseFileResult AddPoint(const std::string& frequencyWord, const std::string& levelWord,
                            int64_t line, MeasuredResponse& response) {
    const std::optional<double> frequency = NumberToken::Decimal(frequencyWord);
    if (!frequency) {
        return Refusal(ResponseFileError::NotANumber, line, frequencyWord);
    }
    const std::optional<double> level = NumberToken::Decimal(levelWord);
    if (!level) {
        return Refusal(ResponseFileError::NotANumber, line, levelWord);
    }
    if (*frequency <= 0.0) {
        return Refusal(ResponseFileError::NotPositive, line, frequencyWord);
    }
    if (!response.Empty() && *frequency <= response.frequencies.back()) {
        return Refusal(ResponseFileError::NotIncreasing, line, frequencyWord);
    }
    if (response.Size() >= ResponseFileReader::kMaxPoints) {
        return Refusal(ResponseFileError::TooManyPoints, line);
    }
    response.frequencies.push_back(*frequency);
    response.levels.push_back(*level);
    return {};
}

// One data line of the text export: every word a number, the first two frequency and level.
ResponseFileResult TextExportLine(std::string_view line, int64_t number,
                                  MeasuredResponse& response) {
    const std::vector<std::string> words = SplitRuns(line);
    for (const std::string& word : words) {
        if (!NumberToken::Decimal(word)) {
            return Refusal(ResponseFileError::NotANumber, number, word);
        }
    }
    if (words.size() < 2) {
        return Refusal(ResponseFileError::MissingValue, number);
    }
    return AddPoint(words[0], words[1], number, response);
}

// One row of CSV: the two named columns.
ResponseFileResult CsvLine(std::string_view line, int64_t number, const Columns& columns,
                           MeasuredResponse& response) {
    const std::vector<std::string> cells = SplitCells(line, columns.separator);
    if (cells.size() <= std::max(columns.frequency, columns.level)) {
        return Refusal(ResponseFileError::MissingValue, number);
    }
    return AddPoint(cells[columns.frequency], cells[columns.level], number, response);
}

bool Skipped(std::string_view trimmed) {
    return trimmed.empty() || trimmed.front() == '*' || trimmed.front() == '#' ||
           trimmed.find_first_not_of(" \t\f\v,;") == std::string_view::npos;
}

} // namespace

ResponseFileResult ResponseFileReader::Read(const std::string& path, MeasuredResponse& response) {
    std::string bytes;
    if (!SafeFile::Read(path, bytes, kMaxBytes + 1)) {
        return Refusal(ResponseFileError::CannotRead, 0);
    }
    if (bytes.size() > kMaxBytes) {
        return Refusal(ResponseFileError::TooLarge, 0);
    }
    return Parse(bytes, response);
}

ResponseFileResult ResponseFileReader::Parse(std::string_view text, MeasuredResponse& response) {
    TextLines lines(text);
    MeasuredResponse read;
    std::optional<Columns> columns;
    bool first = true;
    std::string_view line;
    while (lines.Next(line)) {
        const std::string_view trimmed = TextLines::Trim(line);
        if (Skipped(trimmed)) {
            continue;
        }
        if (first) {
            first = false;
            const std::vector<std::string> words = SplitRuns(trimmed);
            if (!NumberToken::Decimal(words.front())) {
                columns = FindColumns(trimmed);
                if (!columns) {
                    return Refusal(ResponseFileError::NoColumns, lines.Number(), trimmed);
                }
                continue;
            }
        }
        const ResponseFileResult result = columns ? CsvLine(trimmed, lines.Number(), *columns, read)
                                                  : TextExportLine(trimmed, lines.Number(), read);
        if (!result.Ok()) {
            return result;
        }
    }
    if (read.Empty()) {
        return Refusal(ResponseFileError::NoData, 0);
    }
    response = std::move(read);
    return {};
}

const char* ResponseFileReader::Template(ResponseFileError error) {
    const MessageRow* row = Row(error);
    return row != nullptr ? row->pattern : "";
}

const char* ResponseFileReader::Key(ResponseFileError error) {
    const MessageRow* row = Row(error);
    return row != nullptr ? row->key : "";
}

std::string ResponseFileReader::Message(const ResponseFileResult& result, std::string_view path) {
    return MessageText::Format(Template(result.error),
                               {path, NumberText::FormatInt(result.line), result.word});
}
