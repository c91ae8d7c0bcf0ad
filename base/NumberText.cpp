#include "base/NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

std::size_t NumberText::SkipSpace(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    return i;
}

int64_t NumberText::ParseInt64(std::u16string_view text) {
    std::size_t i = SkipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Accumulate as a negative number so that INT64_MIN itself is reachable.
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    int64_t value = 0;
    bool saturated = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        const int digit = text[i] - u'0';
        if (saturated) {
            continue;
        }
        if (value < (kMin + digit) / 10) {
            saturated = true;
            value = kMin;
            continue;
        }
        value = value * 10 - digit;
    }
    if (negative) {
        return value;
    }
    if (value == kMin) {
        return std::numeric_limits<int64_t>::max();
    }
    return -value;
}

int32_t NumberText::ParseInt(std::u16string_view text) {
    const int64_t value = ParseInt64(text);
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

std::size_t NumberText::DecimalPrefix(std::u16string_view text, std::size_t start) {
    std::size_t i = start;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) {
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    return i - start;
}

double NumberText::ParseDecimal(std::u16string_view text) {
    const std::size_t start = SkipSpace(text);
    const std::size_t length = DecimalPrefix(text, start);
    if (length == 0) {
        return 0.0;
    }
    std::string ascii;
    ascii.reserve(length);
    for (std::size_t i = start; i < start + length; ++i) {
        ascii.push_back(static_cast<char>(text[i]));
    }
    const bool negative = ascii.front() == '-';
    const std::size_t skip = (ascii.front() == '-' || ascii.front() == '+') ? 1 : 0;
    double value = 0.0;
    const char* first = ascii.data() + skip;
    const char* last = ascii.data() + ascii.size();
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Decide between overflow and underflow from the decimal exponent of the text.
        std::size_t mantissaEnd = ascii.find_first_of("eE", skip);
        const std::u16string exponentText =
            mantissaEnd == std::string::npos ? u"" : Widen(ascii.substr(mantissaEnd + 1));
        // Any exponent past a few hundred decides the same way; clamping keeps the sums below
        // from overflowing on absurdly long exponents.
        constexpr int64_t kExponentLimit = int64_t{1} << 48;
        const int64_t exponent =
            std::clamp(ParseInt64(exponentText), -kExponentLimit, kExponentLimit);
        std::size_t intDigits = 0;
        std::size_t leadingZeros = 0;
        bool seenNonZero = false;
        bool inFraction = false;
        for (std::size_t i = skip; i < std::min(mantissaEnd, ascii.size()); ++i) {
            if (ascii[i] == '.') {
                inFraction = true;
                continue;
            }
            if (ascii[i] != '0') {
                seenNonZero = true;
            }
            if (!inFraction && seenNonZero) {
                ++intDigits;
            } else if (inFraction && !seenNonZero) {
                ++leadingZeros;
            }
        }
        const int64_t magnitude = intDigits > 0 ? static_cast<int64_t>(intDigits) + exponent
                                                : exponent - static_cast<int64_t>(leadingZeros);
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

int32_t NumberText::TruncateToInt32(double value) {
    constexpr int32_t kInvalid = std::numeric_limits<int32_t>::min();
    if (std::isnan(value)) {
        return kInvalid;
    }
    const double truncated = std::trunc(value);
    if (truncated < -2147483648.0 || truncated > 2147483647.0) {
        return kInvalid;
    }
    return static_cast<int32_t>(truncated);
}

std::string NumberText::FormatInt(int64_t value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string NumberText::FormatFixed(double value, int decimals) {
    if (std::isnan(value)) {
        return std::signbit(value) ? "-nan" : "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    decimals = std::clamp(decimals, 0, 100);
    // 309 integer digits at most, plus sign, point and the fraction.
    std::string buffer(400 + static_cast<std::size_t>(decimals), '\0');
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    buffer.resize(static_cast<std::size_t>(result.ptr - buffer.data()));
    return buffer;
}

std::string NumberText::FormatShortest(float value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string NumberText::FormatShortestDouble(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::u16string NumberText::Widen(std::string_view ascii) {
    std::u16string wide;
    wide.reserve(ascii.size());
    for (const char c : ascii) {
        wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    }
    return wide;
}
