#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// A small streaming JSON writer: UTF-8 output, locale-free numbers, floats in the shortest text
// that reads back to the same 32-bit float, NaN and infinities as the strings "nan", "inf" and
// "-inf" (JSON has no literal for them).
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out, bool pretty = true);

    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);

    JsonWriter& Null();
    JsonWriter& Bool(bool value);
    JsonWriter& Int(int64_t value);
    JsonWriter& Float(float value);
    JsonWriter& String(std::string_view utf8);
    JsonWriter& String(std::u16string_view text);

    // Ends the document with a newline.
    void Finish();

private:
    void BeforeValue();
    void Indent();
    void WriteQuoted(std::string_view utf8);

    struct Level {
        bool isObject;
        bool empty;
    };
    std::ostream& out_;
    bool pretty_;
    bool afterKey_ = false;
    std::vector<Level> levels_;
};
