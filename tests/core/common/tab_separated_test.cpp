#include "common/tab_separated.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrine {
namespace {

TEST(TabSeparatedTest, JoinsCellsAndKeepsTheLineOnOneLine) {
    struct Case {
        std::vector<std::u16string> cells;
        std::u16string line;
    };
    const Case cases[] = {
        {{u"a.txt", u"share\\docs", u"PC"}, u"a.txt\tshare\\docs\tPC"},
        {{u"one\ttwo", u"x\r\ny"}, u"one two\tx  y"},  // no cell splits the line
        {{u"", u"b", u""}, u"\tb\t"},                  // empty cells keep their columns
        {{u"\u00e9t\u00e9"}, u"\u00e9t\u00e9"},
        {{}, u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TabSeparatedLine(c.cells), c.line);
    }
}

}  // namespace
}  // namespace kestrine
