#pragma once

#include <optional>
#include <string_view>

// A whole word read as a decimal number, independent of the process locale: an optional sign,
// digits with an optional point and fraction (at least one digit), an optional exponent, and
// nothing else. "inf", "nan", hexadecimal forms and values beyond the double range are not
// numbers here.
class NumberToken {
public:
    static std::optional<double> Decimal(std::string_view word);
};
