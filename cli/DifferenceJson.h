#pragma once

#include "cli/JsonWriter.h"
#include "params/ParameterDiff.h"

#include <vector>

// The differences as a JSON array of objects {"field": "EQGAINLEFT", "channel": 0, "block":
// "ten-band", "band": 3, "a": 5, "b": 7}: channel and band null where they do not apply, a and
// b numbers (or strings for texts and for NaN and the infinities, null where a side lacks the
// key). Coefficient areas are named "ten-band coefficients of band 3", the zero areas "unused
// area" and a length "file length"; entries that stand for several floats carry "count", and
// every entry of a file its float "index".
void WriteDifferences(JsonWriter& json, const std::vector<FieldDifference>& differences);
