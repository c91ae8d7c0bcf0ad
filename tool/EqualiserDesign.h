#pragma once

#include <cstddef>
#include <cstdint>

namespace sonvex_tool {

// Where the fields of one equaliser record lie, in floats from its start.
struct RecordLayout {
    int peakCount;         // peaking bands; the shelves make two more
    std::size_t gain;      // band gains, dB
    std::size_t frequency; // band frequencies, Hz
    std::size_t q;         // Q of the peaking bands
    std::size_t lowShelf;  // LatticeSection of band 0
    std::size_t peakK;     // (k1, k2) of each peaking band
    std::size_t peakC;     // (c0, c1, c2) of each peaking band
    std::size_t highShelf; // LatticeSection of the last band
};

const RecordLayout& TenBandLayout();
const RecordLayout& EightBandLayout();

// Designs the equaliser described by the inputs of record, writes the lattice-ladder
// coefficients of every band into its outputs, then pointCount points of the response in dB into
// curve (none when pointCount <= 0). Reads only the inputs of record and writes only its outputs
// and curve[0 .. pointCount - 1].
void DesignEqualiser(const RecordLayout& layout, float* record, float* curve, int32_t sampleRate,
                     float startFrequency, int32_t pointCount);

} // namespace sonvex_tool
