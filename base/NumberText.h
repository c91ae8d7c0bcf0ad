#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Conversions between numbers and text that never depend on the process locale (Qt sets the C
// locale from the environment, where a decimal comma may be in force).
//
// "Integer" text: leading white space, an optional sign, decimal digits up to the first other
// character; 0 when there are none. "Decimal" text: leading white space, an optional sign,
// digits with an optional point and fraction, an optional exponent; 0 when there is none.
// "inf", "nan" and hexadecimal forms are not numbers here.
class NumberText {
public:
    // Integer text, saturated at the int32 range.
    static int32_t ParseInt(std::u16string_view text);
    // Integer text, saturated at the int64 range.
    static int64_t ParseInt64(std::u16string_view text);
    // Decimal text as a double (overflow gives an infinity, underflow zero).
    static double ParseDecimal(std::u16string_view text);
    // Decimal text rounded to single precision.
    static float ParseFloat(std::u16string_view text) {
        return static_cast<float>(ParseDecimal(text));
    }

    // Truncation toward zero; NaN or a value outside the int32 range gives -2147483648.
    static int32_t TruncateToInt32(double value);

    // "%d".
    static std::string FormatInt(int64_t value);
    // "%.<decimals>f" in the C locale: fixed notation, correctly rounded; decimals 0 to 100.
    static std::string FormatFixed(double value, int decimals);
    // The shortest decimal text that reads back to the same float; "nan", "inf", "-inf".
    static std::string FormatShortest(float value);
    // The shortest decimal text that reads back to the same double; "nan", "inf", "-inf".
    static std::string FormatShortestDouble(double value);

    static std::u16string Widen(std::string_view ascii);

private:
    // Length of the leading decimal number after white space, or 0 when there is none.
    static std::size_t DecimalPrefix(std::u16string_view text, std::size_t start);
    static std::size_t SkipSpace(std::u16string_view text);
};
