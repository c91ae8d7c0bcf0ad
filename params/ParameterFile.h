#pragma once

#include "base/SafeFile.h"
#include "params/ChannelFields.h"
#include "params/ParameterSet.h"
#include "tool/ToolApi.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class ToolLibrary;

// The binary parameter file that the device runs: 614 little-endian single floats, 2456 bytes.
// Index 0 CHANUM, 1 SWFS, 2 to 5 the switches (EQSwtch, DrcSwtch, LimitSwtch, EQSwtch1), then a
// block of 299 floats for channel L at 6 and one for channel R at 305, and ten zeros at the end.
// Each channel block carries Gain1, the ten-band equaliser record with its coefficients, the
// DRC, the limiter, the eight-band equaliser record with its coefficients and Gain2.
constexpr std::size_t kParameterFileFloats = 614;
constexpr std::size_t kParameterFileBytes = kParameterFileFloats * 4;
using ParameterArray = std::array<float, kParameterFileFloats>;

enum class ParameterFileStatus {
    Ok,
    ToolNotLoaded,  // the filter design library is not loaded: nothing written
    ToolIncomplete, // it is loaded but EQ10Product or EQ8Product did not resolve: nothing written
    NonFinite,      // a value or a coefficient would be NaN or infinite: nothing written
    CannotWrite,    // the file could not be written (see writeError)
    CannotRead,     // the file is missing, unreadable or not a regular file; nothing changed
    // Refusals of the reader, which change nothing:
    WrongLength,    // the file is not 2456 bytes long (see length)
    NotFiniteValue, // a carried field holds NaN or an infinity (see where)
    OutOfRange,     // an integer field holds a value outside the int32 range (see where, value)
};

// Whether the reader takes a file of another length than 2456 bytes: only when the user asked
// for it (Load after its question, sonvex-cli --force). Missing floats then read as 0.0 and
// bytes past 2456 are ignored; the values are checked either way.
enum class FileLength { Exact, Any };

// Where a float index of the file lies.
struct ParameterPosition {
    std::size_t index = 0;
    int channel = -1; // 0 L, 1 R, -1 for the header and the trailing zeros
    ParameterArea area = ParameterArea::Unused;
    int band = -1;        // equaliser band (0 = low shelf), -1 outside the equalisers
    std::string_view key; // config.ini key of the field there; empty for coefficients and zeros
};

struct ParameterFileResult {
    ParameterFileResult() = default;
    explicit ParameterFileResult(ParameterFileStatus s) : status(s) {}

    ParameterFileStatus status = ParameterFileStatus::Ok;
    SafeFileResult writeError = SafeFileResult::Ok; // for CannotWrite
    ParameterPosition where;  // for NonFinite, NotFiniteValue, OutOfRange: the first position
    float value = 0.0f;       // for OutOfRange: the value found there
    std::uint64_t length = 0; // for WrongLength: the file's length in bytes

    bool Ok() const { return status == ParameterFileStatus::Ok; }
};

class ParameterFile {
public:
    // Writes the parameter file for set to path (UTF-16): fields, then the coefficients that the
    // library designs from them. Refuses, writing nothing, when the library or one of its
    // functions is missing or when any float of the file would not be finite. The file is
    // written to a temporary file and renamed into place.
    static ParameterFileResult WriteParameterFile(const std::u16string& path,
                                                  const ParameterSet& set, const ToolLibrary& tool);
    // Reads path into the carried fields of set (the editor state is left alone). A file that
    // cannot be read, or that Check refuses, leaves set untouched.
    static ParameterFileResult ReadParameterFile(const std::u16string& path, ParameterSet& set,
                                                 FileLength length = FileLength::Exact);
    // The first 2456 bytes of path as a file array (missing floats 0.0), for tools that want the
    // coefficients too, checked as ReadParameterFile does. Devices, pipes and folders are
    // refused.
    static ParameterFileResult ReadArray(const std::u16string& path, ParameterArray& values,
                                         FileLength length = FileLength::Exact);
    // Whether a file of fileLength bytes that decoded to values can be trusted: its length is
    // 2456 bytes (unless length is Any), every carried field is finite, and every integer field
    // lies within the int32 range, so that reading it changes no value on the way. The
    // coefficient and zero areas are not looked at; the reader recomputes or ignores them.
    static ParameterFileResult Check(const ParameterArray& values, std::uint64_t fileLength,
                                     FileLength length);

    // The carried fields of set as a file array, coefficient areas still zero. The R block is
    // filled only when CHANUM is 2.
    static ParameterArray FieldsToArray(const ParameterSet& set);
    // FieldsToArray, then both equaliser designs of every filled channel (R only with CHANUM 2,
    // so a mono file keeps zeros there) and the finiteness check of every float.
    static ParameterFileResult BuildArray(const ParameterSet& set, EqProductFunction eq10,
                                          EqProductFunction eq8, ParameterArray& out);
    // The carried fields from an array, by the reader's rules: integers truncated toward zero
    // (NaN or out of range give -2147483648), a switch on when its float is not 0.0, floats
    // copied, both blocks read whatever CHANUM says.
    static void ArrayToFields(const ParameterArray& values, ParameterSet& set);

    // 614 floats as 2456 little-endian bytes.
    static std::string Encode(const ParameterArray& values);
    // As many whole floats as bytes holds, up to 614; the rest 0.0; bytes past 2456 ignored.
    static ParameterArray Decode(std::string_view bytes);

    // The coefficient areas of a channel (0 L, 1 R): 50 floats of the ten-band equaliser, 40 of
    // the eight-band one, in their record order.
    static std::span<const float> TenBandCoefficients(const ParameterArray& values, int channel);
    static std::span<const float> EightBandCoefficients(const ParameterArray& values, int channel);

    // Where a float index lies (index < 614).
    static ParameterPosition Locate(std::size_t index);

    // A clear message for a result, naming path where it matters; built-in English unless
    // texts is given.
    static std::u16string Message(const ParameterFileResult& result, const std::u16string& path,
                                  const TextCatalog& texts = {});

private:
    static ParameterFileResult CheckFinite(const ParameterArray& values);
};
