#pragma once

#include "base/TextCatalog.h"
#include "params/ParameterFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The part of the parameters a difference lies in.
enum class DiffBlock {
    Header, // channel count, sample rate, switches
    Gain1,
    TenBand,
    Drc,
    Limiter,
    EightBand,
    Gain2,
    Unused,   // the zero areas of the parameter file
    File,     // the file itself: its length
    Editor,   // editor state that only config.ini holds (links, channel selections)
    Settings, // config.ini keys outside the parameter set (language, system, other sections)
};

// One side's value of a difference.
struct DiffValue {
    enum class Kind { Missing, Float, Integer, Text };

    Kind kind = Kind::Missing;
    float floatValue = 0.0f;
    int64_t integer = 0;
    std::u16string text;

    static DiffValue OfFloat(float value);
    static DiffValue OfInteger(int64_t value);
    static DiffValue OfText(std::u16string value);
    // "5", "2.5", "nan", the text itself; empty when missing.
    std::u16string Format() const;
};

// One field (or one element of a list field) that differs between two sides; for a coefficient
// area, the coefficients of one band; for a zero area, one run of floats that are not zero on
// one side.
struct FieldDifference {
    static constexpr std::size_t kNoIndex = static_cast<std::size_t>(-1);

    std::string key;  // config.ini key ("EQGAINLEFT", "Language:Selected"); empty otherwise
    int channel = -1; // 0 L, 1 R, -1 for what belongs to no channel
    DiffBlock block = DiffBlock::Header;
    int band = -1;                // equaliser band (0 = low shelf), -1 elsewhere
    std::size_t index = kNoIndex; // float index of the (first) differing value in the file
    std::size_t count = 1;        // differing floats it stands for (coefficients, zero areas)
    DiffValue a;                  // first side (the editor, what was sent)
    DiffValue b;                  // second side (the other file, what the device holds)
    bool coefficients = false;    // the entry stands for a band's coefficients
};

// Field-level comparison of parameter files, naming what differs by its config.ini key,
// channel, block and band, and coefficient areas by their equaliser and band.
class ParameterDiff {
public:
    // Every float that differs bit for bit (so 0.0 and -0.0 differ, and a NaN equals the same
    // NaN), the coefficients grouped per band and the zero areas per run, in file order; a
    // first entry for the length when lengthA and lengthB differ. Without withCoefficients the
    // coefficient areas are left out (one side has none to offer).
    static std::vector<FieldDifference> Compare(const ParameterArray& a, std::uint64_t lengthA,
                                                const ParameterArray& b, std::uint64_t lengthB,
                                                bool withCoefficients = true);
    // The same for two files' bytes (bytes past 2456 count through the length only).
    static std::vector<FieldDifference> CompareBytes(std::string_view a, std::string_view b);

    // Where element `element` of the field with this key lies: its channel, block and band
    // (Editor, no channel, for a key the file does not carry). False for an unknown key.
    static bool LocateKey(std::string_view key, std::size_t element, FieldDifference& where);

    // The field as a user reads it: its key, "ten-band coefficients of band 3", "unused area",
    // "file length".
    static std::u16string FieldName(const FieldDifference& difference,
                                    const TextCatalog& texts = {});
    // The block as a fixed word for scripts: "header", "gain1", "ten-band", "drc", "limiter",
    // "eight-band", "gain2", "unused", "file", "editor", "settings".
    static const char* BlockName(DiffBlock block);
    // The block in the user's language ("ten-band equaliser").
    static std::u16string BlockText(DiffBlock block, const TextCatalog& texts = {});
    // "EQGAINLEFT, channel0, ten-band equaliser, band 3": the field and where it lies.
    static std::u16string Place(const FieldDifference& difference, const TextCatalog& texts = {});
    // One line of a verification's list: "EQGAINLEFT, channel0, ten-band equaliser, band 3:
    // sent 5, read 7".
    static std::u16string DescribeSentRead(const FieldDifference& difference,
                                           const TextCatalog& texts = {});
};
