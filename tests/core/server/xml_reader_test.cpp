#include "xml_reader.h"

#include <gtest/gtest.h>

#include <string_view>

#include "common/failure.h"

namespace kestrine::server {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(XmlReaderTest, ReadsElementsAttributesAndEntities) {
    const XmlElement root = ParseXml(
        Bytes("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<request><command>srvsearch</command>"
              "<params limit=\"10\" skip='0'><query>a&amp;b &lt;&gt;&quot;&apos; &#65;&#x42;"
              "</query><extensions/></params></request>"));
    EXPECT_EQ(root.name, u"request");
    ASSERT_EQ(root.children.size(), 2u);
    EXPECT_EQ(root.Child(u"command")->text, u"srvsearch");
    const XmlElement* params = root.Child(u"params");
    ASSERT_NE(params, nullptr);
    EXPECT_EQ(*params->Attribute(u"limit"), u"10");
    EXPECT_EQ(*params->Attribute(u"skip"), u"0");
    EXPECT_EQ(params->Child(u"query")->text, u"a&b <>\"' AB");
    EXPECT_EQ(params->Child(u"extensions")->text, u"");
}

TEST(XmlReaderTest, NormalisesLineEndsAndKeepsSurrogateHalves) {
    // The client writes every line feed as CR LF, and characters beyond the BMP as two
    // three-byte sequences.
    const XmlElement root =
        ParseXml(Bytes("<q>a\r\nb\rc\nd \xED\xA0\xBD\xED\xB8\x80 &#x1F600;</q>"));
    EXPECT_EQ(root.text, u"a\nb\nc\nd \U0001F600 \U0001F600");
}

TEST(XmlReaderTest, RefusesMalformedDocuments) {
    const char* const documents[] = {
        "",
        "<request>",
        "<request></requests>",
        "<request><a></request>",
        "<request a=\"1\" a=\"2\"/>",
        "<request a=1/>",
        "<request a=\"<\"/>",
        "<request a=\"1\"b=\"2\"/>",
        "<request>&unknown;</request>",
        "<request>&amp</request>",
        "<request>&#0;</request>",
        "<request>&#x110000;</request>",
        "<request>&#12a;</request>",
        "<request/><second/>",
        "<request><!-- comment --></request>",
        "<!DOCTYPE request><request/>",
        "<?xml version=\"1.0\"",
        "<request><![CDATA[x]]></request>",
        "<1request/>",
    };
    for (const char* document : documents) {
        SCOPED_TRACE(document);
        EXPECT_THROW(ParseXml(Bytes(document)), Failure);
    }
}

TEST(XmlReaderTest, LimitsNesting) {
    std::string deep;
    for (int i = 0; i < 10000; ++i) {
        deep += "<a>";
    }
    EXPECT_THROW(ParseXml(Bytes(deep)), Failure);
}

}  // namespace
}  // namespace kestrine::server
