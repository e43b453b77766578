// The browser page and the operations against the real server.exe over the real pipe.
#include <windows.h>
#include <commctrl.h>
#include <gmock/gmock.h>

#include "browser/browser_page_fixture.h"
#include "e2e/programs.h"
#include "ui/image_lists.h"

namespace kestrine::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// \\ALPHA: share\docs\{a.txt, Report.pdf}, share\x.zip, pub\readme.txt.
class BrowserServerE2eTest : public BrowserPageFixture {
  protected:
    void SetUp() override {
        BrowserPageFixture::SetUp();
        tree_.AddFolder(L"share");
        tree_.AddFolder(L"share\\docs");
        tree_.AddFolder(L"pub");
        tree_.AddFile(L"share\\docs\\a.txt", 10);
        tree_.AddFile(L"share\\docs\\Report.pdf", 5000);
        tree_.AddFile(L"share\\x.zip", 30);
        tree_.AddFile(L"pub\\readme.txt", 40);
        server_ = std::make_unique<ServerProcess>(
            std::vector<std::wstring>{L"--host", L"ALPHA=" + tree_.Root()},
            tree_.Root() + L"\\server.log");
        ASSERT_TRUE(server_->Ready()) << "server.exe did not start";
    }
    void TearDown() override {
        window.reset();
        server_.reset();
    }

    TempTree tree_;
    std::unique_ptr<ServerProcess> server_;
};

TEST_F(BrowserServerE2eTest, WalksAHostsFoldersAndOpensAFile) {
    Open();
    window->SetActivePage(1);
    ASSERT_THAT(desktop.messages, IsEmpty());
    ASSERT_EQ(ListView_GetItemCount(Ui().ViewHost), 1);
    EXPECT_EQ(CellText(Ui().ViewHost, 0, 0), u"\\\\ALPHA");

    SelectHost(0);
    EXPECT_THAT(ContentRows(), ElementsAre(u"pub|", u"share|"));
    EXPECT_EQ(Text(Ui().ViewContentPath), u"PATH: \\\\ALPHA");

    DoubleClickContent(1);  // share
    EXPECT_THAT(ContentRows(), ElementsAre(u"..|", u"docs|", u"x.zip|" + SizeText(30)));
    EXPECT_EQ(Text(Ui().ViewContentPath), u"PATH: \\\\ALPHA\\share");
    DoubleClickContent(1);  // docs
    EXPECT_THAT(ContentRows(),
                ElementsAre(u"..|", u"a.txt|" + SizeText(10), u"Report.pdf|" + SizeText(5000)));
    EXPECT_EQ(window->Ui().statusBar.Text(1), u"3 file(s)");

    ListView_SetItemState(Ui().ViewContent, 2, LVIS_SELECTED, LVIS_SELECTED);
    window->Actions().Execute(kActionOpen);
    window->Actions().Execute(kActionOpenFolder);
    EXPECT_THAT(desktop.opened,
                ElementsAre(u"\\\\ALPHA\\share\\docs\\Report.pdf", u"\\\\ALPHA\\share\\docs"));

    DoubleClickContent(0);  // .. to share
    DoubleClickContent(0);  // .. to the top level
    EXPECT_THAT(ContentRows(), ElementsAre(u"pub|", u"share|"));
    EXPECT_THAT(desktop.messages, IsEmpty());
}

}  // namespace
}  // namespace kestrine::testing
