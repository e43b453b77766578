#include "search/paging.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace kestrine {
namespace {

TEST(PagingTest, DescribesTheLoadedPage) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    struct Case {
        std::int32_t offset, limit, rowLimit;
        std::size_t count;
        std::u16string countText, previousText, nextText;
        std::int32_t prevOffset, nextOffset;
    };
    const Case cases[] = {
        {0, 1000, 1000, 1000, u"Displaying 1 to 1000", u"", u"Next", -1, 1000},
        {0, 1000, 1000, 999, u"Displaying 1 to 999", u"", u"", -1, -1},
        {0, 1000, 1000, 0, u"No files found", u"", u"", -1, -1},
        {1000, 1000, 1000, 1000, u"Displaying 1001 to 2000", u"Previous", u"Next", 0, 2000},
        {2000, 1000, 1000, 3, u"Displaying 2001 to 2003", u"Previous", u"", 1000, -1},
        {1000, 1000, 1000, 0, u"No files found", u"Previous", u"", 0, -1},
        // The page size changed since: the previous page starts at row 0, not before it.
        {500, 1000, 1000, 10, u"Displaying 501 to 510", u"Previous", u"", 0, -1},
        // A page size of 0 or less never leads back to the same page, nor forward.
        {0, 0, 0, 0, u"No files found", u"", u"", -1, -1},
        {30, -5, -5, 0, u"No files found", u"Previous", u"", 0, -1},
        // Offsets stay 32-bit numbers.
        {kMax - 5, 10, 10, 10, u"Displaying 2147483643 to 2147483652", u"Previous", u"", kMax - 15,
         -1},
    };
    for (const Case& c : cases) {
        const PageStatus status = DescribePage(c.offset, c.limit, c.rowLimit, c.count);
        EXPECT_EQ(status.CountText, c.countText) << c.offset << " " << c.count;
        EXPECT_EQ(status.PreviousText, c.previousText) << c.offset << " " << c.count;
        EXPECT_EQ(status.NextText, c.nextText) << c.offset << " " << c.count;
        EXPECT_EQ(status.PrevOffset, c.prevOffset) << c.offset << " " << c.count;
        EXPECT_EQ(status.NextOffset, c.nextOffset) << c.offset << " " << c.count;
    }
}

TEST(PagingTest, OnlyLoadedPagesMoveTheOffsets) {
    SearchPaging paging;
    EXPECT_EQ(paging.PrevOffset(), -1);
    EXPECT_EQ(paging.NextOffset(), -1);
    EXPECT_EQ(paging.PageLoaded(1000, 1000, 1000, 1000), u"Displaying 1001 to 2000");
    EXPECT_EQ(paging.PrevOffset(), 0);
    EXPECT_EQ(paging.NextOffset(), 2000);
    EXPECT_EQ(paging.PreviousText(), u"Previous");
    EXPECT_EQ(paging.NextText(), u"Next");
    // A failed search calls nothing here, so everything above stays; the next page counts.
    paging.PageLoaded(0, 1000, 1000, 5);
    EXPECT_EQ(paging.PrevOffset(), -1);
    EXPECT_EQ(paging.NextOffset(), -1);
    EXPECT_EQ(paging.PreviousText(), u"");
    EXPECT_EQ(paging.NextText(), u"");
}

TEST(PagingTest, ClickZonesLieStrictlyInsideThePanels) {
    const std::array<int, 4> widths = {250, 160, 50, 50};
    struct Case {
        int x;
        PagingPanel panel;
    };
    const Case cases[] = {
        {0, PagingPanel::None},       {410, PagingPanel::None}, {411, PagingPanel::Previous},
        {459, PagingPanel::Previous}, {460, PagingPanel::None}, {461, PagingPanel::None},
        {462, PagingPanel::Next},     {510, PagingPanel::Next}, {511, PagingPanel::None},
        {-5, PagingPanel::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PagingPanelAt(widths, c.x), c.panel) << c.x;
    }
}

TEST(PagingTest, ClickRunsOnlyAPageThatExists) {
    const std::array<int, 4> widths = {250, 160, 50, 50};
    EXPECT_EQ(PageOffsetForClick(widths, 430, 0, 2000), 0);
    EXPECT_EQ(PageOffsetForClick(widths, 480, 0, 2000), 2000);
    EXPECT_EQ(PageOffsetForClick(widths, 430, -1, 1000), std::nullopt);
    EXPECT_EQ(PageOffsetForClick(widths, 480, 0, -1), std::nullopt);
    EXPECT_EQ(PageOffsetForClick(widths, 100, 0, 1000), std::nullopt);
}

}  // namespace
}  // namespace kestrine
