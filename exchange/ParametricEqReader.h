#pragma once

#include "exchange/ParametricEq.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

enum class EqFileError {
    None,
    CannotRead,     // missing, not a regular file, or unreadable
    TooLarge,       // over kMaxBytes
    NoFilters,      // neither a Preamp nor a Filter line
    UnknownType,    // a filter type the device's bands cannot take ("LP", "NO", ...)
    UnknownField,   // a word where a field name (Fc, Gain, Q, BW) belongs
    MissingValue,   // a field without its number, or a filter without Fc, Gain or Q
    NotANumber,     // a field's value that is not a number
    OutOfRange,     // a frequency, Q or bandwidth of 0 or below
    UnsupportedLine // a command that changes what the filters apply to (Channel, GraphicEQ, ...)
};

// What reading an EQ file gave: the refusal, its line (0 for the file as a whole) and the word it
// names.
struct EqFileResult {
    EqFileError error = EqFileError::None;
    int64_t line = 0;
    std::string word;

    bool Ok() const { return error == EqFileError::None; }
};

// Reads the parametric EQ text format that measurement tools export and system-wide equalisers
// and headphone-correction databases read: an optional "Preamp: -3.5 dB" line (several add up),
// then lines like "Filter 1: ON PK Fc 1000 Hz Gain -3.0 dB Q 1.41", also without the number
// ("Filter: ON ..."). Keywords are read in any case and with any amount of blank space; units may
// stand apart or stick to their number ("1000Hz"). Types: PK and PEQ (peaking); LS, LSC, HS, HSC,
// optionally with a slope ("LS 6dB", "HS 12dB"). A peaking filter needs Q or a bandwidth in
// octaves ("BW Oct 1.0"); a shelf may give Q. OFF filters and "None" filters are skipped; other
// lines (titles, notes, comments) are ignored, except the commands that would make the filters
// mean something else (Channel other than "all", GraphicEQ, Convolution, Copy, Delay, Include and
// the conditionals), which are refused. Nothing is read partly: a refusal leaves eq unchanged.
class ParametricEqReader {
public:
    static constexpr std::size_t kMaxBytes = 1024 * 1024;

    // path is UTF-8.
    static EqFileResult Read(const std::string& path, ParametricEq& eq);
    static EqFileResult Parse(std::string_view text, ParametricEq& eq);

    // The English message (%1 the path, %2 the line, %3 the word), its template and the key of
    // its translation in the language files' LANG section.
    static std::string Message(const EqFileResult& result, std::string_view path);
    static const char* Template(EqFileError error);
    static const char* Key(EqFileError error);
};
