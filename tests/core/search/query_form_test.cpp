#include "common/text.h"
#include "lists/string_list.h"
#include "search/extension_list.h"
#include "search/query_history.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrine {
namespace {

TEST(ExtensionListTest, QuotesEachCommaTextEntry) {
    struct Case {
        std::u16string value;
        std::u16string expected;
    };
    const Case cases[] = {
        {u"", u""},
        {u"*", u"*"},
        {u"db,dbf,mdb", u"'db','dbf','mdb'"},
        {u"zip", u"'zip'"},
        {u"it's", u"'it''s'"},
        {u"\"a b\",c", u"'a b','c'"},
        {u"a b", u"'a','b'"},  // unquoted spaces separate entries
        {u"a,,b", u"'a','','b'"},
        {u"a,", u"'a',''"},
        {u"*,txt", u"'*','txt'"},  // only the whole value "*" means any extension
        {u"   ", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BuildExtensionList(c.value), c.expected) << Utf16ToUtf8(c.value);
    }
}

TEST(ExtensionListTest, NoCategorySelectedUsesTheCategoryWithAnEmptyName) {
    StringList categories = {u"Any=*", u"Documents=doc,txt"};
    EXPECT_EQ(BuildExtensionList(categories.Value(u"Any")), u"*");
    EXPECT_EQ(BuildExtensionList(categories.Value(u"")), u"");
    categories.Add(u"=txt");
    EXPECT_EQ(BuildExtensionList(categories.Value(u"")), u"'txt'");
}

TEST(QueryHistoryTest, NewQueryGoesFirstAndKnownOneStays) {
    std::vector<std::u16string> history = {u"alpha", u"Beta"};
    RecordQueryInHistory(history, u"  gamma ");
    EXPECT_EQ(history, (std::vector<std::u16string>{u"  gamma ", u"alpha", u"Beta"}));
    RecordQueryInHistory(history, u"BETA");
    EXPECT_EQ(history, (std::vector<std::u16string>{u"  gamma ", u"alpha", u"Beta"}));
    // Whole text only: a query that merely contains an entry is new.
    RecordQueryInHistory(history, u"alph");
    EXPECT_EQ(history.front(), u"alph");
    EXPECT_EQ(history.size(), 4u);
}

TEST(QueryHistoryTest, KeepsAtMostTwentyEntries) {
    std::vector<std::u16string> history;
    for (int i = 0; i < 25; ++i) {
        history.push_back(u"q" + ToText(i));
    }
    RecordQueryInHistory(history, u"new");
    ASSERT_EQ(history.size(), kQueryHistoryLimit);
    EXPECT_EQ(history.front(), u"new");
    EXPECT_EQ(history.back(), u"q18");
    RecordQueryInHistory(history, u"Q3");
    EXPECT_EQ(history.size(), kQueryHistoryLimit);
    EXPECT_EQ(history.front(), u"new");
}

}  // namespace
}  // namespace kestrine
