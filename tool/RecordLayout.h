#pragma once

// The shape of the two equaliser records of tool/ToolApi.h in floats from the record's start,
// derived from the record structures themselves, and the kind of each band. Header only and
// outside the C interface: the library designs with it, and the parameter file, the pages and
// sonvex-cli read records with it instead of counting positions by hand.

#include "tool/ToolApi.h"

#include <cstddef>

enum class BandKind { LowShelf, Peaking, HighShelf };

// Where a band's lattice-ladder section lies in a record: k1 and k2 at k, c0 to c2 at c. The two
// shelves keep their five floats together (c = k + 2); the peaking bands have their (k1, k2)
// pairs in one group and their (c0, c1, c2) triples in another.
struct SectionPlace {
    std::size_t k;
    std::size_t c;
};

struct RecordLayout {
    int bands;             // 10 or 8: a low shelf, bands - 2 peaking bands, a high shelf
    std::size_t floats;    // the whole record
    std::size_t inputs;    // gains, frequencies and Q; the coefficients follow them
    std::size_t gain;      // band gains, dB
    std::size_t frequency; // band frequencies, Hz
    std::size_t q;         // Q of the peaking bands (element i belongs to band i + 1)
    std::size_t lowShelf;  // LatticeSection of band 0
    std::size_t peakK;     // (k1, k2) of each peaking band
    std::size_t peakC;     // (c0, c1, c2) of each peaking band
    std::size_t highShelf; // LatticeSection of the last band

    constexpr int Peaks() const { return bands - 2; }

    // Band 0 is the low shelf, the last band the high shelf, every band between them peaking.
    constexpr BandKind KindOf(int band) const {
        if (band == 0) {
            return BandKind::LowShelf;
        }
        return band == bands - 1 ? BandKind::HighShelf : BandKind::Peaking;
    }

    // The section of a band (0 to bands - 1).
    constexpr SectionPlace SectionOf(int band) const {
        switch (KindOf(band)) {
        case BandKind::LowShelf:
            return {lowShelf, lowShelf + 2};
        case BandKind::HighShelf:
            return {highShelf, highShelf + 2};
        case BandKind::Peaking:
            break;
        }
        const auto peak = static_cast<std::size_t>(band - 1);
        return {peakK + 2 * peak, peakC + 3 * peak};
    }

    // The band a coefficient at record index (inputs to floats - 1) belongs to.
    constexpr int BandOfCoefficient(std::size_t index) const {
        if (index < peakK) {
            return 0;
        }
        if (index < peakC) {
            return 1 + static_cast<int>((index - peakK) / 2);
        }
        if (index < highShelf) {
            return 1 + static_cast<int>((index - peakC) / 3);
        }
        return bands - 1;
    }
};

template <class Record>
constexpr RecordLayout LayoutOf(int bands) {
    constexpr std::size_t kFloat = sizeof(float);
    return RecordLayout{bands,
                        sizeof(Record) / kFloat,
                        offsetof(Record, lowShelf) / kFloat,
                        offsetof(Record, gain) / kFloat,
                        offsetof(Record, frequency) / kFloat,
                        offsetof(Record, q) / kFloat,
                        offsetof(Record, lowShelf) / kFloat,
                        offsetof(Record, peakK) / kFloat,
                        offsetof(Record, peakC) / kFloat,
                        offsetof(Record, highShelf) / kFloat};
}

inline constexpr RecordLayout kTenBandLayout = LayoutOf<EQ10Record>(10);
inline constexpr RecordLayout kEightBandLayout = LayoutOf<EQ8Record>(8);

static_assert(kTenBandLayout.floats == kEQ10RecordFloats);
static_assert(kTenBandLayout.inputs == kEQ10InputFloats);
static_assert(kEightBandLayout.floats == kEQ8RecordFloats);
static_assert(kEightBandLayout.inputs == kEQ8InputFloats);
