#include "measure/NumberToken.h"

#include <cctype>
#include <charconv>
#include <cmath>

std::optional<double> NumberToken::Decimal(std::string_view word) {
    std::string_view digits = word;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        digits.remove_prefix(1);
    }
    // from_chars also reads "inf" and "nan"; a number here starts with a digit or a point.
    const auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    if (digits.empty() || !(isDigit(digits.front()) ||
                            (digits.front() == '.' && digits.size() > 1 && isDigit(digits[1])))) {
        return std::nullopt;
    }
    double value = 0.0;
    const char* first = digits.data();
    const char* last = digits.data() + digits.size();
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc() || end != last || !std::isfinite(value)) {
        return std::nullopt;
    }
    return word.front() == '-' ? -value : value;
}
