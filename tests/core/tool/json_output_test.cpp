#include "json_output.h"

#include <gtest/gtest.h>

#include <limits>

namespace kestrine {
namespace {

TEST(JsonOutput, StringsEscapeWhatJsonRequires) {
    const std::vector<std::pair<std::u16string, std::string>> cases = {
        {u"", "\"\""},
        {u"a\"b\\c", "\"a\\\"b\\\\c\""},
        {u"\n\r\t\b\f\x01\x1f", "\"\\n\\r\\t\\b\\f\\u0001\\u001f\""},
        {u"\u00e9\u20ac\U0001F600", "\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\""},
        {std::u16string(1, char16_t{0xD800}) + u"x", "\"\\ud800x\""},
        {u"x" + std::u16string(1, char16_t{0xDFFF}), "\"x\\udfff\""},
        {std::u16string{char16_t{0xDC00}, char16_t{0xD800}}, "\"\\udc00\\ud800\""},
    };
    for (const auto& [text, json] : cases) {
        EXPECT_EQ(JsonString(text), json);
    }
}

TEST(JsonOutput, NumbersAreShortestRoundTrip) {
    EXPECT_EQ(JsonNumber(45000.5), "45000.5");
    EXPECT_EQ(JsonNumber(2.0), "2");
    EXPECT_EQ(JsonNumber(0.1), "0.1");
    EXPECT_EQ(JsonNumber(-1.5e300), "-1.5e+300");
    EXPECT_EQ(JsonNumber(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(JsonNumber(std::numeric_limits<double>::infinity()), "null");
}

}  // namespace
}  // namespace kestrine
