#include "cli/DifferenceJson.h"

namespace {

void WriteValue(JsonWriter& json, const DiffValue& value) {
    switch (value.kind) {
    case DiffValue::Kind::Missing:
        json.Null();
        break;
    case DiffValue::Kind::Float:
        json.Float(value.floatValue);
        break;
    case DiffValue::Kind::Integer:
        json.Int(value.integer);
        break;
    case DiffValue::Kind::Text:
        json.String(value.text);
        break;
    }
}

void WriteOptionalInt(JsonWriter& json, const char* key, int value) {
    json.Key(key);
    if (value >= 0) {
        json.Int(value);
    } else {
        json.Null();
    }
}

} // namespace

void WriteDifferences(JsonWriter& json, const std::vector<FieldDifference>& differences) {
    json.BeginArray();
    for (const FieldDifference& difference : differences) {
        json.BeginObject();
        json.Key("field").String(ParameterDiff::FieldName(difference));
        WriteOptionalInt(json, "channel", difference.channel);
        json.Key("block").String(ParameterDiff::BlockName(difference.block));
        WriteOptionalInt(json, "band", difference.band);
        json.Key("a");
        WriteValue(json, difference.a);
        json.Key("b");
        WriteValue(json, difference.b);
        if (difference.index != FieldDifference::kNoIndex) {
            json.Key("index").Int(static_cast<int64_t>(difference.index));
        }
        if (difference.count > 1) {
            json.Key("count").Int(static_cast<int64_t>(difference.count));
        }
        json.EndObject();
    }
    json.EndArray();
}
