#pragma once

#include "cli/JsonWriter.h"
#include "params/EqualiserBands.h"

// The bands of one equaliser as JSON: {"gains": [...], "freqs": [...], "q": [...]}, the Q values
// of the peaking bands only, as the configuration keeps them.
void WriteBands(JsonWriter& json, const EqualiserBands& bands);
