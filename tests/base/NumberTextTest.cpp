#include "base/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace {

TEST(NumberText, IntegerTextTakesBlanksSignAndLeadingDigits) {
    EXPECT_EQ(NumberText::ParseInt(u"42"), 42);
    EXPECT_EQ(NumberText::ParseInt(u"  \t-17xyz"), -17);
    EXPECT_EQ(NumberText::ParseInt(u"+8"), 8);
    EXPECT_EQ(NumberText::ParseInt(u"7.9"), 7);
    EXPECT_EQ(NumberText::ParseInt(u"2ch"), 2);
    EXPECT_EQ(NumberText::ParseInt(u""), 0);
    EXPECT_EQ(NumberText::ParseInt(u"abc"), 0);
    EXPECT_EQ(NumberText::ParseInt(u"- 5"), 0);
    EXPECT_EQ(NumberText::ParseInt(u"0x10"), 0);
    EXPECT_EQ(NumberText::ParseInt(u"1e1"), 1);
}

TEST(NumberText, IntegerTextSaturatesInsteadOfOverflowing) {
    EXPECT_EQ(NumberText::ParseInt(u"2147483647"), 2147483647);
    EXPECT_EQ(NumberText::ParseInt(u"2147483648"), 2147483647);
    EXPECT_EQ(NumberText::ParseInt(u"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(NumberText::ParseInt(u"-99999999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(NumberText::ParseInt64(u"9223372036854775807"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(NumberText::ParseInt64(u"-9223372036854775808"), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(NumberText::ParseInt64(u"99999999999999999999"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(NumberText::ParseInt64(u"4294967296"), 4294967296LL);
}

TEST(NumberText, DecimalTextFollowsTheDecimalGrammarOnly) {
    EXPECT_EQ(NumberText::ParseDecimal(u"2.5"), 2.5);
    EXPECT_EQ(NumberText::ParseDecimal(u" -0.35ms"), -0.35);
    EXPECT_EQ(NumberText::ParseDecimal(u"1e2"), 100.0);
    EXPECT_EQ(NumberText::ParseDecimal(u"1.5e1"), 15.0);
    EXPECT_EQ(NumberText::ParseDecimal(u"5ms"), 5.0);
    EXPECT_EQ(NumberText::ParseDecimal(u".5"), 0.5);
    EXPECT_EQ(NumberText::ParseDecimal(u"5."), 5.0);
    EXPECT_EQ(NumberText::ParseDecimal(u"3e"), 3.0); // exponent without digits is not taken
    EXPECT_EQ(NumberText::ParseDecimal(u"3e+x"), 3.0);
    EXPECT_EQ(NumberText::ParseDecimal(u"."), 0.0);
    EXPECT_EQ(NumberText::ParseDecimal(u"abc"), 0.0);
    EXPECT_EQ(NumberText::ParseDecimal(u"nan"), 0.0);
    EXPECT_EQ(NumberText::ParseDecimal(u"inf"), 0.0);
    EXPECT_EQ(NumberText::ParseDecimal(u"-infinity"), 0.0);
    EXPECT_EQ(NumberText::ParseDecimal(u"0x1p3"), 0.0);
    EXPECT_EQ(NumberText::ParseDecimal(u"2,5"), 2.0);
    EXPECT_EQ(NumberText::ParseDecimal(u"1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(NumberText::ParseDecimal(u"-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(NumberText::ParseDecimal(u"1e-999"), 0.0);
    EXPECT_EQ(NumberText::ParseDecimal(u"0.000001e-400"), 0.0);
    // Exponents far beyond the int64 range saturate instead of overflowing.
    EXPECT_EQ(NumberText::ParseDecimal(u"44e444444444444444444444444"),
              std::numeric_limits<double>::infinity());
    EXPECT_EQ(NumberText::ParseDecimal(u"-0.5e-99999999999999999999999"), -0.0);
    EXPECT_EQ(NumberText::ParseDecimal(u"0.0001e9223372036854775807"),
              std::numeric_limits<double>::infinity());
    EXPECT_EQ(NumberText::ParseFloat(u"0.7"), 0.7f);
}

TEST(NumberText, TruncationFollowsTheParameterFileRule) {
    EXPECT_EQ(NumberText::TruncateToInt32(2.9), 2);
    EXPECT_EQ(NumberText::TruncateToInt32(-2.9), -2);
    EXPECT_EQ(NumberText::TruncateToInt32(2147483647.9), 2147483647);
    EXPECT_EQ(NumberText::TruncateToInt32(-2147483648.9), -2147483647 - 1);
    EXPECT_EQ(NumberText::TruncateToInt32(2147483648.0), -2147483647 - 1);
    EXPECT_EQ(NumberText::TruncateToInt32(1e300), -2147483647 - 1);
    EXPECT_EQ(NumberText::TruncateToInt32(std::nan("")), -2147483647 - 1);
    EXPECT_EQ(NumberText::TruncateToInt32(-std::numeric_limits<double>::infinity()),
              -2147483647 - 1);
}

TEST(NumberText, FormattingIsTheCLocaleEvenUnderADecimalCommaLocale) {
    const char* comma = std::setlocale(LC_ALL, "de_DE.UTF-8");
    if (comma == nullptr) {
        comma = std::setlocale(LC_ALL, "fr_FR.UTF-8");
    }
    EXPECT_EQ(NumberText::FormatFixed(2.5, 6), "2.500000");
    EXPECT_EQ(NumberText::FormatFixed(static_cast<double>(-0.1234567f), 6), "-0.123457");
    EXPECT_EQ(NumberText::FormatFixed(static_cast<double>(0.707f), 1), "0.7");
    EXPECT_EQ(NumberText::FormatFixed(-3.0, 1), "-3.0");
    EXPECT_EQ(NumberText::FormatFixed(static_cast<double>(-0.35f), 1), "-0.3");
    EXPECT_EQ(NumberText::FormatFixed(1e20, 6), "100000000000000000000.000000");
    EXPECT_EQ(NumberText::FormatInt(-5), "-5");
    EXPECT_EQ(NumberText::FormatFixed(2.5, -3), "2");          // no decimals below zero
    EXPECT_EQ(NumberText::FormatFixed(2.5, 200).size(), 102u); // at most 100 decimals
    EXPECT_EQ(NumberText::ParseDecimal(u"2.500000"), 2.5);
    EXPECT_EQ(NumberText::FormatShortest(0.1f), "0.1");
    EXPECT_EQ(NumberText::FormatShortest(-std::numeric_limits<float>::infinity()), "-inf");
    EXPECT_EQ(NumberText::FormatShortest(std::numeric_limits<float>::quiet_NaN()), "nan");
    std::setlocale(LC_ALL, "C");
}

} // namespace
