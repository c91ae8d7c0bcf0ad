#pragma once

#include "tool/RecordLayout.h"

#include <cstdint>

namespace sonvex_tool {

// Designs the equaliser described by the inputs of record, writes the lattice-ladder
// coefficients of every band into its outputs, then pointCount points of the response in dB into
// curve (none when pointCount <= 0). Reads only the inputs of record and writes only its outputs
// and curve[0 .. pointCount - 1].
void DesignEqualiser(const RecordLayout& layout, float* record, float* curve, int32_t sampleRate,
                     float startFrequency, int32_t pointCount);

} // namespace sonvex_tool
