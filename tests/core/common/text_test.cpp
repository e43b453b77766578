#include "common/windows_1252.h"
#include "platform/ansi_code_page.h"
#include "common/text.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrine {
namespace {

TEST(TextTest, Utf8RoundTripKeepsSupplementaryCharacters) {
    const std::u16string text = u"Caf\u00e9 \u20ac \U0001F600";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
}

TEST(TextTest, BrokenInputBecomesReplacementCharacter) {
    EXPECT_EQ(Utf8ToUtf16("a\xC3"), u"a\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xFF"
                          "b"),
              u"\uFFFDb");
    EXPECT_EQ(Utf8ToUtf16("\xC0\x80"), u"\uFFFD");  // overlong
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(TextTest, Utf16LeIgnoresOddTrailingByte) {
    const std::vector<std::uint8_t> bytes = {'E', 0, 'R', 0, 0x41};
    EXPECT_EQ(Utf16LeToText(bytes), u"ER");
}

TEST(TextTest, Windows1252MapsTheHighControls) {
    const std::vector<std::uint8_t> bytes = {0x80, 0x81, 0xE9, 0x9F};
    EXPECT_EQ(DecodeWindows1252(bytes), u"\u20ac\u0081\u00e9\u0178");
}

TEST(TextTest, TrimRemovesControlsAndSpacesAtBothEnds) {
    EXPECT_EQ(Trim(u"\t  a b \r\n\0"), u"a b");
    EXPECT_EQ(Trim(u"   "), u"");
}

TEST(TextTest, AsciiUpperLeavesOtherLettersAlone) {
    EXPECT_EQ(AsciiUpper(u"alpha, b\u00e9ta"), u"ALPHA, B\u00e9TA");
}

TEST(TextTest, ParseInt32AcceptsOnlyPlainDecimalIntegers) {
    struct Case {
        std::u16string text;
        std::optional<std::int32_t> expected;
    };
    const Case cases[] = {
        {u"500", 500},
        {u"-1", -1},
        {u"+7", 7},
        {u"0", 0},
        {u"2147483647", 2147483647},
        {u"-2147483648", -2147483647 - 1},
        {u"2147483648", std::nullopt},
        {u"abc", std::nullopt},
        {u"", std::nullopt},
        {u"-", std::nullopt},
        {u" 5", std::nullopt},
        {u"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseInt32(c.text), c.expected) << Utf16ToUtf8(c.text);
    }
}

}  // namespace
}  // namespace kestrine
