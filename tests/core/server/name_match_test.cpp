#include "name_match.h"

#include <gtest/gtest.h>

namespace kestrine::server {
namespace {

TEST(NameMatchTest, MatchesSubstringsAndWildcardsIgnoringCase) {
    struct Case {
        std::u16string query;
        std::u16string name;
        bool matches;
    };
    const Case cases[] = {
        {u"report", u"Annual REPORT 2024.pdf", true},
        {u"", u"anything", true},
        {u"xyz", u"report.pdf", false},
        {u"*.PDF", u"report.pdf", true},
        {u"*.pdf", u"report.pdf.bak", false},
        {u"r?port*", u"Report.pdf", true},
        {u"r?port", u"Report.pdf", false},
        {u"*a*b*c*", u"xxaxxbxxcxx", true},
        {u"*a*b*c*d", u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaabc", false},
        {u"\u00c4rger", u"\u00e4RGER.txt", true},
        {u"\u0141\u00f3d\u017a", u"\u0142\u00d3D\u0179", true},
        {u"\u041c\u043e\u0441\u043a\u0432\u0430", u"\u043c\u043e\u0441\u043a\u0432\u0430", true},
        {u"\u0394\u03ad", u"\u03b4\u03ad", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NamePattern(c.query).Matches(c.name), c.matches)
            << std::string(c.query.begin(), c.query.end());
    }
}

TEST(NameMatchTest, FiltersByQuotedExtensionList) {
    struct Case {
        std::u16string list;
        std::u16string name;
        bool accepted;
    };
    const Case cases[] = {
        {u"*", u"a.exe", true},
        {u"", u"a", true},
        {u"'zip','arj'", u"backup.ZIP", true},
        {u"'zip','arj'", u"backup.zip.gz", false},
        {u"'zip','arj'", u"zip", false},
        {u"'it''s'", u"file.it's", true},
        {u"''", u"noextension", true},
        {u"'gz'", u"archive.tar.gz", true},
    };
    for (const Case& c : cases) {
        const auto filter = ExtensionFilter::Parse(c.list);
        ASSERT_TRUE(filter);
        EXPECT_EQ(filter->Accepts(c.name), c.accepted);
    }
    for (const std::u16string bad : {u"zip", u"'zip", u"'zip',", u"'zip' ,'arj'", u"'a''"}) {
        EXPECT_FALSE(ExtensionFilter::Parse(bad));
    }
}

}  // namespace
}  // namespace kestrine::server
