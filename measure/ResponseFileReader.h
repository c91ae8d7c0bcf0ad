#pragma once

#include "measure/MeasuredResponse.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

enum class ResponseFileError {
    None,
    CannotRead,    // missing, not a regular file, or unreadable
    TooLarge,      // over kMaxBytes
    NoData,        // no data line at all
    NotANumber,    // a word of a data line that is not a number
    MissingValue,  // a data line without a frequency and a level
    NotPositive,   // a frequency of 0 or below
    NotIncreasing, // a frequency not above the one before
    TooManyPoints, // more than kMaxPoints data lines
    NoColumns,     // a header that names no frequency column and level column
};

// What reading a response file gave: the refusal, the line it names (1 for the first line; 0
// when it concerns the file as a whole) and the offending word, shortened for a message.
struct ResponseFileResult {
    ResponseFileError error = ResponseFileError::None;
    int64_t line = 0;
    std::string word;

    bool Ok() const { return error == ResponseFileError::None; }
};

// Reads a magnitude response (a measurement or a target) from one of two text shapes:
//
// - the text export of acoustic measurement tools: lines starting with '*' or '#' are comments,
//   each data line holds a frequency (Hz), a level (dB) and optionally a phase (degrees) and
//   further numbers, separated by blanks, tabs, commas or semicolons;
// - CSV: a header row naming a frequency column ("freq", "frequency", "Hz", ...) and a level
//   column ("dB", "SPL", "magnitude", "gain", "level", "raw", ...), separated by commas,
//   semicolons, tabs or blanks, then one row per point; other columns are ignored.
//
// A file is CSV when its first line that is neither blank nor a comment does not start with a
// number. On a line that separates with semicolons a comma is a decimal comma ("20;75,5"). Numbers
// are read without regard to the locale. Frequencies must be positive and strictly increasing.
// Anything else is refused, naming the line, and the response is then left as it was.
class ResponseFileReader {
public:
    static constexpr std::size_t kMaxBytes = 64 * 1024 * 1024;
    static constexpr std::size_t kMaxPoints = 1'000'000;

    // path is UTF-8.
    static ResponseFileResult Read(const std::string& path, MeasuredResponse& response);
    static ResponseFileResult Parse(std::string_view text, MeasuredResponse& response);

    // The English message for a refusal: the template filled with the path, the line and the
    // word.
    static std::string Message(const ResponseFileResult& result, std::string_view path);
    // The message template of a refusal (%1 the path, %2 the line, %3 the word) and the key of
    // its translation in the language files' LANG section.
    static const char* Template(ResponseFileError error);
    static const char* Key(ResponseFileError error);
};
