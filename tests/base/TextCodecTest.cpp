#include "base/TextCodec.h"

#include <gtest/gtest.h>

namespace {

TEST(TextCodec, Cp936RoundTripsChineseAndAscii) {
    // "设置成功" in code page 936.
    const std::string bytes = "\xC9\xE8\xD6\xC3\xB3\xC9\xB9\xA6";
    EXPECT_EQ(TextCodec::FromCp936(bytes), u"设置成功");
    EXPECT_EQ(TextCodec::ToCp936(u"设置成功"), bytes);
    EXPECT_EQ(TextCodec::ToCp936(u"Key=1\r\n"), "Key=1\r\n");
    EXPECT_EQ(TextCodec::FromCp936("[System]"), u"[System]");
}

TEST(TextCodec, InvalidCp936BytesSurviveARoundTrip) {
    // 0xFF is never valid; the final 0xC9 is a double-byte character cut off by the end.
    const std::string bytes("a\xFF"
                            "b=\xC9\xE8\xC9",
                            7);
    const std::u16string text = TextCodec::FromCp936(bytes);
    ASSERT_EQ(text.size(), 6u);
    EXPECT_EQ(text[0], u'a');
    EXPECT_EQ(text[1], char16_t(0xDCFF));
    EXPECT_EQ(text.substr(2, 3), u"b=\u8BBE");
    EXPECT_EQ(text[5], char16_t(0xDCC9));
    EXPECT_EQ(TextCodec::ToCp936(text), bytes);
}

TEST(TextCodec, UnencodableCharactersBecomeQuestionMarksWithoutCuttingTheRest) {
    EXPECT_EQ(TextCodec::ToCp936(u"x\U0001F600y"), "x?y");
    EXPECT_EQ(TextCodec::ToCp936(u"x\u0E01y"), "x?y"); // Thai is not in code page 936
    const char16_t lone[] = {u'a', 0xD800, u'b', 0};
    EXPECT_EQ(TextCodec::ToCp936(lone), "a?b");
}

TEST(TextCodec, Utf8RoundTripsIncludingInvalidBytes) {
    EXPECT_EQ(TextCodec::FromUtf8("\xE8\xAE\xBE"), u"设");
    EXPECT_EQ(TextCodec::ToUtf8(u"设 \U0001F600"), "\xE8\xAE\xBE \xF0\x9F\x98\x80");
    const std::string odd = "p\xFFq\xC0\x80";
    EXPECT_EQ(TextCodec::ToUtf8(TextCodec::FromUtf8(odd)), odd);
}

} // namespace
