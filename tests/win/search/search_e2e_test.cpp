// Go against the real server.exe over the real pipe, then a saved page.
#include <gmock/gmock.h>

#include "e2e/programs.h"
#include "search/search_page_fixture.h"

namespace kestrine::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

// \\ALPHA: share\docs\{Report.pdf, notes.txt, reports\report-q1.pdf}, pub\report.txt.
class SearchE2eTest : public SearchPageTest {
  protected:
    void SetUp() override {
        SearchPageTest::SetUp();
        tree_.AddFolder(L"share");
        tree_.AddFolder(L"share\\docs");
        tree_.AddFolder(L"share\\docs\\reports");
        tree_.AddFolder(L"pub");
        tree_.AddFile(L"share\\docs\\Report.pdf", 5000);
        tree_.AddFile(L"share\\docs\\notes.txt", 10);
        tree_.AddFile(L"share\\docs\\reports\\report-q1.pdf", 20);
        tree_.AddFile(L"pub\\report.txt", 40);
        server_ = std::make_unique<ServerProcess>(
            std::vector<std::wstring>{L"--host", L"ALPHA=" + tree_.Root()},
            tree_.Root() + L"\\server.log");
        ASSERT_TRUE(server_->Ready()) << "server.exe did not start";
    }
    void TearDown() override {
        SearchPageTest::TearDown();
        server_.reset();  // one server per Wine prefix: the next test starts its own
    }

    TempTree tree_;
    std::unique_ptr<ServerProcess> server_;
};

TEST_F(SearchE2eTest, GoShowsTheHitsOfTheServer) {
    Open();
    SetComboSelection(Ui().cmbSearchIn, 2);  // "Files & Folders"
    Search(u"report");

    EXPECT_THAT(MessageTexts(), ElementsAre());
    EXPECT_EQ(Panel(0), u"Connected to .");
    EXPECT_EQ(Panel(1), u"Displaying 1 to 4");
    EXPECT_EQ(Panel(2), u"");
    EXPECT_EQ(Panel(3), u"");
    ASSERT_EQ(RowCount(), 4);
    // The folder "reports" matches too; it shows no size or date.
    EXPECT_THAT(Column(0),
                UnorderedElementsAre(u"Report.pdf", u"reports", u"report-q1.pdf", u"report.txt"));
    EXPECT_THAT(Column(2), ElementsAre(u"ALPHA", u"ALPHA", u"ALPHA", u"ALPHA"));

    ClickHeader(0);
    ASSERT_THAT(Column(0), ElementsAre(u"Report.pdf", u"report-q1.pdf", u"report.txt", u"reports"));
    std::u16string size;
    window->Formatter().AppendSize(5000, size);
    EXPECT_THAT((std::vector<std::u16string>{Cell(0, 1), Cell(0, 2), Cell(0, 3)}),
                ElementsAre(u"share\\docs", u"ALPHA", size));
    EXPECT_NE(Cell(0, 4), u"");
    EXPECT_THAT((std::vector<std::u16string>{Cell(3, 1), Cell(3, 3), Cell(3, 4)}),
                ElementsAre(u"share\\docs", u"---", u"---"));
}

}  // namespace
}  // namespace kestrine::testing
