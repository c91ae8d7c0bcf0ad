#include "cli/BandJson.h"

void WriteBands(JsonWriter& json, const EqualiserBands& bands) {
    json.BeginObject();
    json.Key("gains").BeginArray();
    for (const int32_t gain : bands.gains) {
        json.Int(gain);
    }
    json.EndArray();
    json.Key("freqs").BeginArray();
    for (const int32_t frequency : bands.frequencies) {
        json.Int(frequency);
    }
    json.EndArray();
    json.Key("q").BeginArray();
    for (const float q : bands.q) {
        json.Float(q);
    }
    json.EndArray();
    json.EndObject();
}
