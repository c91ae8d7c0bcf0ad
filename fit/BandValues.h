#pragma once

#include "params/EqualiserBands.h"

#include <vector>

// The bands of one equaliser while a fit moves them freely: gain in dB, frequency in Hz and Q, one
// entry per band (the shelves' Q entries are not used).
struct BandValues {
    EqualiserKind kind = EqualiserKind::TenBand;
    std::vector<double> gain;
    std::vector<double> frequency;
    std::vector<double> q;

    static BandValues From(const EqualiserBands& bands);

    int Bands() const { return EqualiserBands::BandCount(kind); }
    static bool IsShelf(EqualiserKind kind, int band) {
        return EqualiserBands::Layout(kind).KindOf(band) != BandKind::Peaking;
    }
    // The inputs of the design record, rounded to float as the library takes them; record has
    // RecordFloats(kind) floats and its coefficient fields are left alone.
    void FillRecord(std::vector<float>& record) const;
};
