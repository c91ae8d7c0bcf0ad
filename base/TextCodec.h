#pragma once

#include <string>
#include <string_view>

// Conversions between the program's UTF-16 strings and the byte encodings it meets: UTF-8 (file
// paths, terminal output) and code page 936 (config.ini and the language files).
//
// Bytes that are not valid in the source encoding are kept, not lost: each becomes the lone
// surrogate U+DC80 + byte and turns back into the same byte when encoded again, so an odd file
// is written back exactly as it was read. A character that code page 936 cannot hold is written
// as "?"; EncodesExactly tells beforehand whether a text will read back as itself.
class TextCodec {
public:
    static std::u16string FromUtf8(std::string_view bytes);
    static std::string ToUtf8(std::u16string_view text);
    static std::u16string FromCp936(std::string_view bytes);
    static std::string ToCp936(std::u16string_view text);
    // Whether ToCp936 of text decodes back to text: false when it holds a character outside code
    // page 936, a broken surrogate, or kept bytes that would join into another character.
    static bool EncodesExactly(std::u16string_view text);

    // True for the code points that stand for a byte kept from an invalid sequence.
    static bool IsEscapedByte(char16_t unit) { return unit >= 0xDC80 && unit <= 0xDCFF; }
};
