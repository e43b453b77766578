#include "search/result_list.h"
#include "search/result_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

namespace kestrine {
namespace {

TFileSearchItem Hit(std::u16string name, std::u16string folder, std::int64_t size,
                    double modified = 0, std::u16string computer = u"\\\\PC") {
    TFileSearchItem item;
    item.FileName = std::move(name);
    item.Folder = std::move(folder);
    item.Computer = std::move(computer);
    item.Size = size;
    item.Modified = modified;
    return item;
}

std::vector<std::u16string> Names(const SearchResultList& list) {
    std::vector<std::u16string> names;
    list.ForEachRow(
        [&names](const SearchHitView& item) { names.push_back(std::u16string(item.FileName)); });
    for (std::size_t row = 0; row < list.Count(); ++row) {
        EXPECT_EQ(list.Row(row)->FileName, names[row]);
    }
    return names;
}

SearchResultList ThreeHits() {
    SearchResultList list;
    list.Append(Hit(u"b", u"z", 30));
    list.Append(Hit(u"a", u"y", -5));
    list.Append(Hit(u"c", u"x", 1000));
    return list;
}

TEST(ResultListTest, HeaderClicksSortAndFlipTheDirection) {
    SearchResultList list = ThreeHits();
    EXPECT_EQ(list.Tag(), 0);
    ASSERT_TRUE(list.ColumnClick(3));  // File Size
    EXPECT_EQ(list.Tag(), 4);
    EXPECT_EQ(Names(list), (std::vector<std::u16string>{u"a", u"b", u"c"}));
    ASSERT_TRUE(list.ColumnClick(3));
    EXPECT_EQ(list.Tag(), -4);
    EXPECT_EQ(Names(list), (std::vector<std::u16string>{u"c", u"b", u"a"}));
    ASSERT_TRUE(list.ColumnClick(1));  // Folder, ascending again
    EXPECT_EQ(list.Tag(), 2);
    EXPECT_EQ(Names(list), (std::vector<std::u16string>{u"c", u"a", u"b"}));
}

TEST(ResultListTest, EmptyListLeavesTheSortStateAlone) {
    SearchResultList list = ThreeHits();
    list.ColumnClick(0);
    list.ColumnClick(0);
    list.Clear();
    EXPECT_FALSE(list.ColumnClick(4));
    EXPECT_EQ(list.Tag(), -1);
}

TEST(ResultListTest, SortStateSurvivesNewPagesWhichKeepServerOrder) {
    SearchResultList list = ThreeHits();
    list.ColumnClick(0);
    list.Clear();
    list.Append(Hit(u"y", u"", 1));
    list.Append(Hit(u"x", u"", 2));
    EXPECT_EQ(list.Tag(), 1);
    EXPECT_EQ(Names(list), (std::vector<std::u16string>{u"y", u"x"}));
    list.ColumnClick(0);  // same column: flips the direction last used
    EXPECT_EQ(list.Tag(), -1);
    EXPECT_EQ(Names(list), (std::vector<std::u16string>{u"y", u"x"}));
    EXPECT_FALSE(list.Row(2).has_value());
    // Rows added after a sort go last.
    list.Append(Hit(u"a", u"", 3));
    EXPECT_EQ(Names(list), (std::vector<std::u16string>{u"y", u"x", u"a"}));
    list.ColumnClick(0);
    EXPECT_EQ(Names(list), (std::vector<std::u16string>{u"a", u"x", u"y"}));
}

// The window reads a page on a worker thread into a page of its own, then takes its rows.
TEST(ResultListTest, TakenRowsKeepTheirTextsOrderAndTheSortState) {
    SearchResultList shown = ThreeHits();
    shown.ColumnClick(0);
    shown.ColumnClick(0);
    SearchResultList read;
    read.Append(Hit(u"y", u"share\\docs", 1, 0, u"\\\\A"));
    read.Append(Hit(u"x", u"share\\docs", 2, 0, u"\\\\B"));
    shown.TakeRows(std::move(read));
    EXPECT_EQ(shown.Tag(), -1);
    EXPECT_EQ(Names(shown), (std::vector<std::u16string>{u"y", u"x"}));
    EXPECT_EQ(shown.Row(1)->Folder, u"share\\docs");
    EXPECT_EQ(shown.Row(1)->Computer, u"\\\\B");
    EXPECT_TRUE(read.Empty());
    // Both pages go on working: the taken one interns into what it took.
    shown.Append(Hit(u"z", u"share\\docs", 3, 0, u"\\\\A"));
    EXPECT_EQ(shown.Row(2)->Computer, u"\\\\A");
    read.Append(Hit(u"n", u"", 4));
    EXPECT_EQ(Names(read), (std::vector<std::u16string>{u"n"}));
}

TEST(ResultSortTest, TextsCompareByCodeUnit) {
    SearchResultList list;
    for (const char16_t* name : {u"b", u"B", u"a", u"A", u"\u00e9", u"Z", u"ab", u""}) {
        list.Append(Hit(name, u"", 0));
    }
    list.ColumnClick(0);
    EXPECT_EQ(Names(list),
              (std::vector<std::u16string>{u"", u"A", u"B", u"Z", u"a", u"ab", u"b", u"\u00e9"}));
}

// Names that share long beginnings, end inside a group of four units, or hold zero units
// (which look like the end of a shorter name) must still come out in code-unit order.
TEST(ResultSortTest, NamesSharingBeginningsSortByCodeUnitBothWays) {
    std::mt19937 random(7);
    const char16_t units[] = {u'\0', u'a', u'b', u'\xFFFF'};
    std::vector<std::u16string> names;
    for (int i = 0; i < 3000; ++i) {
        std::u16string name = i % 3 == 0 ? u"document_" : (i % 3 == 1 ? u"doc" : u"");
        for (std::size_t n = random() % 14; n > 0; --n) {
            name += units[random() % 4];
        }
        names.push_back(name);
    }
    names.push_back(std::u16string(600, u'a'));
    names.push_back(std::u16string(600, u'a') + u'\0');
    names.push_back(std::u16string(599, u'a'));
    SearchResultList list;
    for (const std::u16string& name : names) {
        list.Append(Hit(name, u"", 0));
    }
    std::sort(names.begin(), names.end());
    list.ColumnClick(0);
    EXPECT_EQ(Names(list), names);
    list.ColumnClick(0);
    std::reverse(names.begin(), names.end());
    EXPECT_EQ(Names(list), names);
}

TEST(ResultSortTest, ComparesEachColumnAndNothingElse) {
    const TFileSearchItem a = Hit(u"a", u"f2", 5, 100.0, u"\\\\B");
    const TFileSearchItem b = Hit(u"b", u"f1", -7, 100.0 + 0.4 / 86400000.0, u"\\\\A");
    EXPECT_LT(CompareSearchItems(a, b, 1), 0);
    EXPECT_GT(CompareSearchItems(a, b, -1), 0);
    EXPECT_GT(CompareSearchItems(a, b, 2), 0);
    EXPECT_GT(CompareSearchItems(a, b, 3), 0);
    EXPECT_GT(CompareSearchItems(a, b, 4), 0);  // signed sizes
    EXPECT_LT(CompareSearchItems(a, b, -4), 0);
    EXPECT_EQ(CompareSearchItems(a, b, 5), 0);  // the same millisecond
    EXPECT_EQ(CompareSearchItems(a, b, 0), 0);
    EXPECT_EQ(CompareSearchItems(a, b, 6), 0);
    const TFileSearchItem later = Hit(u"c", u"", 0, 100.0 + 0.6 / 86400000.0);
    EXPECT_LT(CompareSearchItems(a, later, 5), 0);
}

// Texts built to stress the packed prefix: shared and short prefixes, code unit 0, and code
// units above 0x7FFF that must not sort as negative numbers.
std::u16string RandomText(std::mt19937& random) {
    static const char16_t kUnits[] = {0, u'a', u'b', u'A', 0x7FFF, 0x8000, 0xFFFF, u'\\'};
    std::uniform_int_distribution<int> length(0, 7);
    std::uniform_int_distribution<int> unit(0, static_cast<int>(std::size(kUnits)) - 1);
    std::u16string text = random() % 3 == 0 ? u"\\\\sh" : u"";
    for (int n = length(random); n > 0; --n) {
        text.push_back(kUnits[unit(random)]);
    }
    return text;
}

TEST(ResultSortTest, SortOrdersEveryColumnBothWaysAndKeepsTheRecords) {
    std::mt19937 random(12345);
    std::vector<TFileSearchItem> items;
    for (int i = 0; i < 3000; ++i) {
        TFileSearchItem item = Hit(RandomText(random), RandomText(random),
                                   static_cast<std::int64_t>(random() % 7) - 3 +
                                       (random() % 2 ? std::int64_t{1} << 62 : 0),
                                   (random() % 50) * 0.25 / 86400000.0, RandomText(random));
        if (random() % 40 == 0) {
            item.Modified = std::nan("");
        }
        item.Attributes = i;  // identifies the record
        items.push_back(std::move(item));
    }
    SearchResultList list;
    for (const TFileSearchItem& item : items) {
        list.Append(item);
    }
    // Two clicks per column: ascending, then descending.
    for (int tag : {1, -1, 2, -2, 3, -3, 4, -4, 5, -5}) {
        list.ColumnClick(std::abs(tag) - 1);
        ASSERT_EQ(list.Tag(), tag);
        std::vector<TFileSearchItem> sorted;
        list.ForEachRow([&sorted](const SearchHitView& hit) { sorted.push_back(hit.ToItem()); });
        EXPECT_TRUE(std::is_sorted(
            sorted.begin(), sorted.end(),
            [tag](const auto& a, const auto& b) { return CompareSearchItems(a, b, tag) < 0; }))
            << tag;
        std::vector<bool> seen(items.size());
        for (const auto& item : sorted) {
            ASSERT_FALSE(seen[item.Attributes]) << tag;
            seen[item.Attributes] = true;
            const auto& original = items[item.Attributes];
            EXPECT_EQ(item.FileName, original.FileName);
            EXPECT_EQ(item.Folder, original.Folder);
            EXPECT_EQ(item.Computer, original.Computer);
            EXPECT_EQ(item.Size, original.Size);
        }
    }
}

// The page keeps its texts in blocks; a name larger than a block, rows on both sides of a
// block boundary and a rolled-back answer must all read back as they were appended.
TEST(ResultListTest, KeepsEveryTextThroughBlocksAndRollBack) {
    SearchResultList list;
    std::vector<TFileSearchItem> expected;
    for (int i = 0; i < 9000; ++i) {
        std::u16string name = u"name-" + std::u16string(static_cast<std::size_t>(i % 37), u'x');
        if (i == 4000) {
            name.assign(200000, u'L');  // longer than a text block
        }
        expected.push_back(Hit(name, u"share\\" + std::u16string(1, char16_t(u'a' + i % 26)), i,
                               1.5, i % 3 == 0 ? u"\\\\A" : u"\\\\B"));
        list.Append(expected.back());
    }
    const SearchResultList::Mark mark = list.Position();
    for (int i = 0; i < 5000; ++i) {
        list.Append(Hit(u"later", u"new folder " + std::u16string(1, char16_t(u'0' + i % 10)), 1));
    }
    list.RollBack(mark);
    list.Append(Hit(u"after", u"share\\b", 1));
    expected.push_back(Hit(u"after", u"share\\b", 1));
    ASSERT_EQ(list.Count(), expected.size());
    std::size_t row = 0;
    list.ForEachRow([&](const SearchHitView& hit) {
        const TFileSearchItem& want = expected[row++];
        EXPECT_EQ(hit.FileName, want.FileName);
        EXPECT_EQ(hit.Folder, want.Folder);
        EXPECT_EQ(hit.Computer, want.Computer);
        EXPECT_EQ(hit.Size, want.Size);
    });
}

TEST(ResultListTest, RollBackAfterASortDropsTheNewRowsFromTheIndex) {
    SearchResultList list = ThreeHits();
    list.ColumnClick(0);
    const SearchResultList::Mark mark = list.Position();
    list.Append(Hit(u"d", u"w", 1));
    list.RollBack(mark);
    EXPECT_EQ(Names(list), (std::vector<std::u16string>{u"a", u"b", u"c"}));
}

}  // namespace
}  // namespace kestrine
