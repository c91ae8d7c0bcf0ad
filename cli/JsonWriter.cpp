#include "cli/JsonWriter.h"

#include "base/NumberText.h"
#include "base/TextCodec.h"

#include <cmath>

JsonWriter::JsonWriter(std::ostream& out, bool pretty) : out_(out), pretty_(pretty) {}

void JsonWriter::Indent() {
    if (!pretty_) {
        return;
    }
    out_ << '\n';
    for (std::size_t i = 0; i < levels_.size(); ++i) {
        out_ << "  ";
    }
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!levels_.empty()) {
        if (!levels_.back().empty) {
            out_ << ',';
        }
        levels_.back().empty = false;
        Indent();
    }
}

JsonWriter& JsonWriter::BeginObject() {
    BeforeValue();
    out_ << '{';
    levels_.push_back({true, true});
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    const bool empty = levels_.back().empty;
    levels_.pop_back();
    if (!empty) {
        Indent();
    }
    out_ << '}';
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    BeforeValue();
    out_ << '[';
    levels_.push_back({false, true});
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    const bool empty = levels_.back().empty;
    levels_.pop_back();
    if (!empty) {
        Indent();
    }
    out_ << ']';
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    BeforeValue();
    WriteQuoted(key);
    out_ << (pretty_ ? ": " : ":");
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::Null() {
    BeforeValue();
    out_ << "null";
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ << (value ? "true" : "false");
    return *this;
}

JsonWriter& JsonWriter::Int(int64_t value) {
    BeforeValue();
    out_ << NumberText::FormatInt(value);
    return *this;
}

JsonWriter& JsonWriter::Float(float value) {
    if (std::isnan(value) || std::isinf(value)) {
        return String(NumberText::FormatShortest(value));
    }
    BeforeValue();
    out_ << NumberText::FormatShortest(value);
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view utf8) {
    BeforeValue();
    WriteQuoted(utf8);
    return *this;
}

JsonWriter& JsonWriter::String(std::u16string_view text) {
    // Bytes kept from invalid input are not text: JSON shows them as U+FFFD.
    std::u16string clean(text);
    for (char16_t& unit : clean) {
        if (TextCodec::IsEscapedByte(unit)) {
            unit = 0xFFFD;
        }
    }
    return String(std::string_view(TextCodec::ToUtf8(clean)));
}

void JsonWriter::WriteQuoted(std::string_view utf8) {
    static const char* const kHex = "0123456789abcdef";
    out_ << '"';
    for (const char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out_ << "\\\"";
            break;
        case '\\':
            out_ << "\\\\";
            break;
        case '\n':
            out_ << "\\n";
            break;
        case '\r':
            out_ << "\\r";
            break;
        case '\t':
            out_ << "\\t";
            break;
        default:
            if (u < 0x20) {
                out_ << "\\u00" << kHex[u >> 4] << kHex[u & 0xF];
            } else {
                out_ << c;
            }
        }
    }
    out_ << '"';
}

void JsonWriter::Finish() {
    out_ << '\n';
}
