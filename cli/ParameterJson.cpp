#include "cli/ParameterJson.h"

#include "params/ParameterFields.h"
#include "settings/CIniSettingBase.h"

namespace {

template <class T, class Write>
void WriteValues(JsonWriter& json, const ParameterField& field, std::span<const T> values,
                 Write write) {
    if (!field.IsList()) {
        write(values[0]);
        return;
    }
    json.BeginArray();
    for (const T value : values) {
        write(value);
    }
    json.EndArray();
}

} // namespace

void WriteParameterFields(JsonWriter& json, const ParameterSet& set) {
    for (const ParameterField& field : ParameterFields::All()) {
        json.Key(field.key);
        switch (field.Type()) {
        case FieldType::Bool:
            WriteValues(json, field, field.Bools(set), [&](bool v) { json.Bool(v); });
            break;
        case FieldType::Int32:
            WriteValues(json, field, field.Ints(set), [&](int32_t v) { json.Int(v); });
            break;
        case FieldType::Float:
            WriteValues(json, field, field.Floats(set), [&](float v) { json.Float(v); });
            break;
        }
    }
}

void WriteConfiguration(JsonWriter& json, const CIniSettingBase& config) {
    json.Key("LangPath").String(config.LangPath);
    json.Key("Selected").Int(config.Selected);
    json.Key("Lang1File").String(config.Lang1File);
    json.Key("Lang2File").String(config.Lang2File);
    json.Key("Debug").Bool(config.Debug);
    json.Key("LogPath").String(config.LogPath);
    WriteParameterFields(json, config.Params);
}

void PrintConfiguration(std::ostream& out, const CIniSettingBase& config) {
    JsonWriter json(out);
    json.BeginObject();
    WriteConfiguration(json, config);
    json.EndObject();
    json.Finish();
}
