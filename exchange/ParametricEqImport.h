#pragma once

#include "exchange/ParametricEq.h"
#include "params/EqualiserBands.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One change an import made to what the file said, as a message template (%1, %2, ... for the
// arguments) with the key of its translation in the language files' LANG section.
struct EqImportChange {
    int64_t line = 0; // the filter's line in the file; 0 for the Preamp
    const char* key = "";
    const char* pattern = "";
    std::vector<std::string> arguments;

    // The English text, e.g. "filter 4: gain 13.5 dB → 12 dB".
    std::string Text() const;
};

struct EqImport {
    EqualiserBands bands;
    std::optional<int32_t> gain2; // from the Preamp, when the file has one
    std::vector<EqImportChange> changes;
};

// Puts the filters of an EQ file into the bands of one equaliser. The first low shelf goes into
// band 0, the first high shelf into the last band, the peaking filters into the peaking bands in
// frequency order; a file written band for band (exactly one filter per band, numbered 1 to n,
// the shelves first and last, as the writer writes them) goes band for band, so that export then
// import gives the same bands. Values are rounded to the device's steps and clamped to its
// ranges; a bandwidth becomes a Q; a shelf's own Q or slope is not kept (the device's shelves
// have one slope). Filters beyond the bands are dropped, first in the file's order first kept. A
// Preamp becomes Gain2, rounded. Bands the file does not fill keep their frequency and Q and get
// 0 dB. Every change is listed, the Preamp's first, then in the order of the file's lines.
class ParametricEqImport {
public:
    // sampleRate must leave the bands a frequency (SWFS 4 or above).
    static EqImport Apply(const ParametricEq& eq, const EqualiserBands& current,
                          int32_t sampleRate);
};
