#include "protocol/request_document.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrine {
namespace {

std::string AsString(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";

std::string SearchDocument(const std::string& query, const std::string& extensions) {
    return kDeclaration +
           "<request><command>srvsearch</command><params limit=\"1000\" skip=\"0\" mode=\"0\" "
           "active=\"0\">" +
           query + extensions + "</params></request>";
}

TEST(RequestDocument, BrowseForHostListIsByteExact) {
    const std::string expected =
        kDeclaration +
        "<request><command>srvbrowse</command><params hostid=\"-1\" folderid=\"-1\"/></request>";
    const Bytes document = BuildBrowseRequest(-1, -1);
    EXPECT_EQ(document.size(), 122u);
    EXPECT_EQ(AsString(document), expected);
}

TEST(RequestDocument, FirstSearchPageIsByteExact) {
    const std::string expected = SearchDocument(
        "<query>abc</query>", "<extensions>&apos;zip&apos;,&apos;arj&apos;</extensions>");
    const Bytes document = BuildSearchRequest({1000, 0, 0, 0, u"abc", u"'zip','arj'"});
    EXPECT_EQ(document.size(), 220u);
    EXPECT_EQ(AsString(document), expected);
}

TEST(RequestDocument, AttributesAreWrittenInOrderWithSigns) {
    EXPECT_EQ(AsString(BuildSearchRequest({-2147483647 - 1, 2147483647, 2, 1, u"q", u"*"})),
              kDeclaration +
                  "<request><command>srvsearch</command><params limit=\"-2147483648\" "
                  "skip=\"2147483647\" mode=\"2\" active=\"1\"><query>q</query>"
                  "<extensions>*</extensions></params></request>");
    EXPECT_EQ(AsString(BuildBrowseRequest(7, 0)),
              kDeclaration +
                  "<request><command>srvbrowse</command><params hostid=\"7\" "
                  "folderid=\"0\"/></request>");
}

struct TextCase {
    const char* name;
    std::u16string query;
    std::string written;
};

class RequestText : public testing::TestWithParam<TextCase> {};

TEST_P(RequestText, QueryIsWrittenAsExpected) {
    const TextCase& c = GetParam();
    EXPECT_EQ(AsString(BuildSearchRequest({1000, 0, 0, 0, c.query, u""})),
              SearchDocument(c.written, "<extensions/>"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RequestText,
    testing::Values(TextCase{"FiveMarkupCharacters", u"a\"b'c&d<e>f",
                             "<query>a&quot;b&apos;c&amp;d&lt;e&gt;f</query>"},
                    TextCase{"EmptyElement", u"", "<query/>"},
                    TextCase{"CrLfLoneCrAndLfEachBecomeCrLf", u"a\r\nb\rc\nd\n\re",
                             "<query>a\r\nb\r\nc\r\nd\r\n\r\ne</query>"},
                    TextCase{"ControlCharactersAndSpacesKept", u" \t\x01 ",
                             "<query> \t\x01 </query>"},
                    TextCase{"TwoAndThreeByteCharacters", u"\u00e9\u20ac",
                             "<query>\xC3\xA9\xE2\x82\xAC</query>"},
                    // U+1F600: each surrogate half on its own, six bytes.
                    TextCase{"NonBmpBecomesTwoThreeByteSequences", u"\U0001F600",
                             "<query>\xED\xA0\xBD\xED\xB8\x80</query>"},
                    TextCase{"LoneSurrogateIsWrittenAlone", std::u16string(1, char16_t{0xDC00}),
                             "<query>\xED\xB0\x80</query>"}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST(RequestDocument, ExtensionsAreEscapedAndMayBeEmpty) {
    EXPECT_EQ(AsString(BuildSearchRequest({1000, 0, 0, 0, u"", u"'a&b'"})),
              SearchDocument("<query/>", "<extensions>&apos;a&amp;b&apos;</extensions>"));
    EXPECT_EQ(AsString(BuildSearchRequest({1000, 0, 0, 0, u"x", u""})),
              SearchDocument("<query>x</query>", "<extensions/>"));
}

}  // namespace
}  // namespace kestrine
