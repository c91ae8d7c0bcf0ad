#include "base/TextCodec.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <vector>

namespace {

char16_t EscapeByte(unsigned char byte) {
    return static_cast<char16_t>(0xDC00 + byte);
}

bool IsHighSurrogate(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

// One iconv descriptor for the life of a conversion.
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (Valid()) {
            iconv_close(cd_);
        }
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return cd_; }

private:
    iconv_t cd_;
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Length of a valid UTF-8 sequence at bytes[i] and its code point; 0 when invalid.
std::size_t DecodeUtf8(std::string_view bytes, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        length = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(bytes[i + k]);
        if ((b & 0xC0) != 0x80) {
            return 0;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0;
    }
    return length;
}

} // namespace

std::u16string TextCodec::FromUtf8(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t cp = 0;
        const std::size_t length = DecodeUtf8(bytes, i, cp);
        if (length == 0) {
            out.push_back(EscapeByte(static_cast<unsigned char>(bytes[i])));
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += length;
    }
    return out;
}

std::string TextCodec::ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        if (IsEscapedByte(u)) {
            out.push_back(static_cast<char>(u - 0xDC00));
        } else if (IsHighSurrogate(u) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            const char32_t cp = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) +
                                (static_cast<char32_t>(text[i + 1]) - 0xDC00);
            AppendUtf8(out, cp);
            ++i;
        } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

std::u16string TextCodec::FromCp936(std::string_view bytes) {
    std::u16string out;
    if (bytes.empty()) {
        return out;
    }
    Iconv cd("UTF-16LE", "CP936");
    if (!cd.Valid()) {
        // Without the converter every byte is still kept.
        for (const char c : bytes) {
            const auto b = static_cast<unsigned char>(c);
            out.push_back(b < 0x80 ? static_cast<char16_t>(b) : EscapeByte(b));
        }
        return out;
    }
    // Every byte yields at most one UTF-16 unit (two bytes form one character).
    std::vector<char> buffer(bytes.size() * 2 + 16);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    auto flush = [&] {
        const std::size_t produced = static_cast<std::size_t>(outPtr - buffer.data());
        for (std::size_t k = 0; k + 1 < produced; k += 2) {
            const auto lo = static_cast<unsigned char>(buffer[k]);
            const auto hi = static_cast<unsigned char>(buffer[k + 1]);
            out.push_back(static_cast<char16_t>(lo | (hi << 8)));
        }
        outPtr = buffer.data();
        outLeft = buffer.size();
    };
    while (inLeft > 0) {
        const std::size_t rc = iconv(cd.Get(), &in, &inLeft, &outPtr, &outLeft);
        if (rc != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            flush();
            continue;
        }
        // EILSEQ or EINVAL (a sequence cut short at the end): keep the byte and go on.
        flush();
        out.push_back(EscapeByte(static_cast<unsigned char>(*in)));
        ++in;
        --inLeft;
        iconv(cd.Get(), nullptr, nullptr, nullptr, nullptr);
    }
    flush();
    return out;
}

std::string TextCodec::ToCp936(std::u16string_view text) {
    std::string out;
    if (text.empty()) {
        return out;
    }
    Iconv cd("CP936", "UTF-16LE");
    std::vector<char> input(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        input[2 * i] = static_cast<char>(text[i] & 0xFF);
        input[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    if (!cd.Valid()) {
        for (const char16_t u : text) {
            out.push_back(u < 0x80 ? static_cast<char>(u)
                                   : (IsEscapedByte(u) ? static_cast<char>(u - 0xDC00) : '?'));
        }
        return out;
    }
    std::vector<char> buffer(text.size() * 2 + 16);
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    auto flush = [&] {
        out.append(buffer.data(), static_cast<std::size_t>(outPtr - buffer.data()));
        outPtr = buffer.data();
        outLeft = buffer.size();
    };
    while (inLeft > 0) {
        const std::size_t rc = iconv(cd.Get(), &in, &inLeft, &outPtr, &outLeft);
        if (rc != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            flush();
            continue;
        }
        flush();
        // The unit at the failure point cannot be encoded: a kept byte goes back as that byte,
        // anything else (a character outside code page 936, a broken surrogate) becomes "?".
        const std::size_t index = static_cast<std::size_t>(in - input.data()) / 2;
        const char16_t u = text[index];
        std::size_t units = 1;
        if (IsEscapedByte(u)) {
            out.push_back(static_cast<char>(u - 0xDC00));
        } else {
            out.push_back('?');
            if (IsHighSurrogate(u) && index + 1 < text.size() && IsLowSurrogate(text[index + 1])) {
                units = 2;
            }
        }
        in += 2 * units;
        inLeft -= std::min(inLeft, 2 * units);
        iconv(cd.Get(), nullptr, nullptr, nullptr, nullptr);
    }
    flush();
    return out;
}

bool TextCodec::EncodesExactly(std::u16string_view text) {
    bool ascii = true;
    for (const char16_t u : text) {
        ascii = ascii && u < 0x80;
    }
    return ascii || FromCp936(ToCp936(text)) == text;
}
