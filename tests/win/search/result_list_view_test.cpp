// The result list: cell texts, icons, the text buffer's limit, header-click sorting with its
// arrows, and double-click.
#include <gmock/gmock.h>

#include "search/search_page_fixture.h"
#include "ui/system_icons.h"

namespace kestrine::testing {
namespace {

using ::testing::ElementsAre;

class ResultListViewTest : public SearchPageTest {
  protected:
    int RowImage(int row) const {
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        SendMessageW(Ui().ViewResults, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        return item.iImage;
    }

    std::u16string SizeText(std::int64_t size) const {
        std::u16string text;
        window->Formatter().AppendSize(size, text);
        return text;
    }
    std::u16string DateText(Timestamp when) const {
        std::u16string text;
        window->Formatter().AppendTimestamp(when, text);
        return text;
    }
};

TEST_F(ResultListViewTest, RowsShowTheirFiveColumnsFoldersWithoutSizeOrDate) {
    Open();
    ShowHits({
        TFileSearchItem{u"\\\\ALPHA", u"share\\docs", u"report.txt", 123456, 45000.75, 32},
        TFileSearchItem{u"\\\\ALPHA", u"share", u"docs", 0, 45000.0, 16},
        TFileSearchItem{u"BETA", u"pub", u"hidden", 4096, 44000.5, 16 | 2},
    });
    EXPECT_THAT(
        (std::vector<std::u16string>{Cell(0, 0), Cell(0, 1), Cell(0, 2), Cell(0, 3), Cell(0, 4)}),
        ElementsAre(u"report.txt", u"share\\docs", u"ALPHA", SizeText(123456), DateText(45000.75)));
    EXPECT_THAT((std::vector<std::u16string>{Cell(1, 2), Cell(1, 3), Cell(1, 4)}),
                ElementsAre(u"ALPHA", u"---", u"---"));
    // Not exactly 16: a folder with more bits shows size and date like a file; a computer
    // without leading backslashes is shown as stored.
    EXPECT_THAT((std::vector<std::u16string>{Cell(2, 2), Cell(2, 3), Cell(2, 4)}),
                ElementsAre(u"BETA", SizeText(4096), DateText(44000.5)));
    EXPECT_NE(SizeText(123456), u"");
    EXPECT_NE(DateText(45000.75), u"");

    EXPECT_EQ(RowImage(0), static_cast<int>(SystemIconIndex(u"report.txt", 32)));
    EXPECT_EQ(RowImage(1), static_cast<int>(SystemIconIndex(u"docs", 16)));
}

TEST_F(ResultListViewTest, CellTextIsCutToTheCallersBuffer) {
    Open();
    ShowHits({TFileSearchItem{u"\\\\PC", u"f", u"a-rather-long-name.txt", 1, 0, 32}});
    EXPECT_EQ(Cell(0, 0, 5), u"a-ra");
    EXPECT_EQ(Cell(0, 0, 1), u"");
    EXPECT_EQ(Cell(0, 0), u"a-rather-long-name.txt");
}

TEST_F(ResultListViewTest, HeaderClicksSortAndFlipWithArrows) {
    Open();
    ShowHits({
        TFileSearchItem{u"\\\\PC", u"b", u"mid.txt", 200, 3, 32},
        TFileSearchItem{u"\\\\PC", u"c", u"big.txt", 3000, 1, 32},
        TFileSearchItem{u"\\\\PC", u"a", u"small.txt", 10, 2, 32},
    });
    ClickHeader(3);  // File Size
    EXPECT_THAT(Column(0), ElementsAre(u"small.txt", u"mid.txt", u"big.txt"));
    EXPECT_EQ(HeaderFormat(3), HDF_SORTUP);

    ClickHeader(3);
    EXPECT_THAT(Column(0), ElementsAre(u"big.txt", u"mid.txt", u"small.txt"));
    EXPECT_EQ(HeaderFormat(3), HDF_SORTDOWN);

    ClickHeader(1);  // Folder
    EXPECT_THAT(Column(1), ElementsAre(u"a", u"b", u"c"));
    EXPECT_EQ(HeaderFormat(1), HDF_SORTUP);
    EXPECT_EQ(HeaderFormat(3), 0);

    ClickHeader(4);  // Date Modified
    EXPECT_THAT(Column(0), ElementsAre(u"big.txt", u"small.txt", u"mid.txt"));
}

TEST_F(ResultListViewTest, NamesSortByCodeUnitsUpperCaseFirst) {
    Open();
    ShowHits({
        TFileSearchItem{u"\\\\PC", u"", u"b.txt", 1, 0, 32},
        TFileSearchItem{u"\\\\PC", u"", u"B.txt", 1, 0, 32},
        TFileSearchItem{u"\\\\PC", u"", u"a.txt", 1, 0, 32},
        TFileSearchItem{u"\\\\PC", u"", u"A.txt", 1, 0, 32},
    });
    ClickHeader(0);
    EXPECT_THAT(Column(0), ElementsAre(u"A.txt", u"B.txt", u"a.txt", u"b.txt"));
}

TEST_F(ResultListViewTest, AnEmptyListIgnoresHeaderClicks) {
    Open();
    ClickHeader(2);
    EXPECT_EQ(HeaderFormat(2), 0);
}

// The sort state outlives a page: the new page comes in the server's order without an
// arrow, and the next click on the same column flips the direction last used.
TEST_F(ResultListViewTest, SortStateSurvivesANewSearch) {
    RequestLog log;
    ScriptedPipeServer server(kServerPipe,
                              {AnswerHits(log, NumberedHits(3)), AnswerHits(log, NumberedHits(3))});
    Open();
    Search(u"f");
    ClickHeader(0);
    ClickHeader(0);
    ASSERT_EQ(HeaderFormat(0), HDF_SORTDOWN);
    ASSERT_THAT(Column(0), ElementsAre(u"f0002.txt", u"f0001.txt", u"f0000.txt"));

    Search(u"f");
    EXPECT_THAT(Column(0), ElementsAre(u"f0000.txt", u"f0001.txt", u"f0002.txt"));
    EXPECT_EQ(HeaderFormat(0), 0);
    ClickHeader(0);
    EXPECT_EQ(HeaderFormat(0), HDF_SORTUP);
    EXPECT_THAT(Column(0), ElementsAre(u"f0000.txt", u"f0001.txt", u"f0002.txt"));
}

TEST_F(ResultListViewTest, DoubleClickOpensOnlyASelectedRow) {
    Open();
    int opened = 0;
    window->Actions().Find(kActionOpen)->execute = [&opened] { ++opened; };
    ShowHits(NumberedHits(2));
    const auto doubleClick = [this] {
        NMITEMACTIVATE click{};
        click.hdr.hwndFrom = Ui().ViewResults;
        click.hdr.idFrom = kIdViewResults;
        click.hdr.code = NM_DBLCLK;
        click.iItem = -1;
        SendMessageW(Main(), WM_NOTIFY, kIdViewResults, reinterpret_cast<LPARAM>(&click));
    };
    doubleClick();
    EXPECT_EQ(opened, 0);

    ListView_SetItemState(Ui().ViewResults, 1, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    doubleClick();
    EXPECT_EQ(opened, 1);
}

}  // namespace
}  // namespace kestrine::testing
