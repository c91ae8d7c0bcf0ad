#pragma once

#include "params/EqualiserRecord.h"
#include "params/ParameterSet.h"
#include "tool/RecordLayout.h"

#include <cstdint>
#include <vector>

// Which of a channel's two equalisers.
enum class EqualiserKind {
    TenBand,   // EQ10Product: low shelf, eight peaking bands, high shelf
    EightBand, // EQ8Product: low shelf, six peaking bands, high shelf
};

// The band settings of one equaliser in the device's terms, as the parameter set stores them:
// band 0 the low shelf, the last band the high shelf, the bands between them peaking. Gains in
// whole dB, frequencies in whole Hz; q[i] is the Q of band i + 1 (the shelves have none).
struct EqualiserBands {
    EqualiserKind kind = EqualiserKind::TenBand;
    std::vector<int32_t> gains;
    std::vector<int32_t> frequencies;
    std::vector<float> q;

    // The design record's layout (band count, positions, band kinds) and the per-channel fields
    // of kind.
    static const RecordLayout& Layout(EqualiserKind kind);
    static const EqualiserFields& Fields(EqualiserKind kind);
    // 10 or 8.
    static int BandCount(EqualiserKind kind);
    static int PeakCount(EqualiserKind kind) { return BandCount(kind) - 2; }
    // Floats in the design record: the inputs (gains, frequencies, Q), then the coefficients.
    static int RecordFloats(EqualiserKind kind);

    // All gains 0 dB, frequencies 0 Hz, Q 0: the shape of kind with nothing in it.
    static EqualiserBands Empty(EqualiserKind kind);
    // The bands of that equaliser of a channel (see ChannelField::Index).
    static EqualiserBands Of(const ParameterSet& set, EqualiserKind kind, int channel);
    // Writes the bands into that equaliser of a channel; nothing else of the set changes.
    void StoreInto(ParameterSet& set, int channel) const;

    int Bands() const { return BandCount(kind); }
    // The design record: gains and frequencies as floats, the Q values, coefficient fields zero.
    std::vector<float> Record() const;

    friend bool operator==(const EqualiserBands&, const EqualiserBands&) = default;
};
