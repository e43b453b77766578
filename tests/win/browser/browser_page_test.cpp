// The network browser page against a scripted server on the real pipe: the host list, a
// host's folders, walking down and back up through "..", and what failures leave behind.
#include <windows.h>
#include <commctrl.h>
#include <gmock/gmock.h>

#include <atomic>
#include <new>
#include <span>

#include "browser/browse_pipe_server.h"
#include "browser/browser_page_fixture.h"
#include "common/text.h"
#include "pipe/win32_pipe_connector.h"
#include "protocol/answer_writers.h"
#include "ui/control_ids.h"
#include "ui/image_lists.h"

namespace kestrine::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Request = BrowsePipeServer::Key;

const std::vector<HostRecord> kHosts = {
    HostRecord{1, u"\\\\ALPHA", 46000.5, 1},
    HostRecord{2, u"\\\\BETA", 45000.25, 0},
};

TFileBrowserItem Folder(std::int32_t id, std::u16string name) {
    return TFileBrowserItem{true, id, std::move(name), 0};
}
TFileBrowserItem File(std::u16string name, std::int64_t size) {
    return TFileBrowserItem{false, 0, std::move(name), size};
}

Bytes Listing(const std::optional<std::u16string>& path, std::vector<TFileBrowserItem> items) {
    return Compressed(WriteFolderListing(kHosts, path, items));
}

// An answer that breaks off: a listing's value stream without its last `cut` bytes.
Bytes Truncated(const std::optional<std::u16string>& path, std::vector<TFileBrowserItem> items,
                std::size_t cut) {
    Bytes stream = WriteFolderListing(kHosts, path, items);
    stream.resize(stream.size() - cut);
    return Compressed(stream);
}

// \\ALPHA (host 1): apps (19), Docs (18), share (17). share holds sub (20), Zed (21), b.txt
// and A.txt; Docs holds a second way into share.
class BrowserPageTest : public BrowserPageFixture {
  protected:
    void TearDown() override {
        window.reset();
        server.reset();
    }

    void Serve() {
        server = std::make_unique<BrowsePipeServer>();
        ASSERT_TRUE(server->Listening());
        server->Answer(-1, -1, Compressed(WriteHostList(kHosts)));
        server->Answer(1, -1,
                       Listing(std::nullopt,
                               {Folder(17, u"share"), Folder(19, u"apps"), Folder(18, u"Docs")}));
        server->Answer(1, 17,
                       Listing(u"\\\\ALPHA\\share\\", {File(u"b.txt", 5), File(u"A.txt", 2048),
                                                       Folder(21, u"Zed"), Folder(20, u"sub")}));
        server->Answer(1, 18, Listing(u"\\\\ALPHA\\Docs", {Folder(17, u"share link")}));
        server->Answer(1, 20, Listing(u"\\\\ALPHA\\share\\sub", {File(u"deep.txt", 1)}));
        server->Answer(1, 21, Listing(u"\\\\ALPHA\\share\\Zed", {}));
        server->Answer(2, -1, Listing(std::nullopt, {Folder(30, u"pub")}));
    }

    std::vector<Request> Requests() const { return server->Requests(); }

    std::unique_ptr<BrowsePipeServer> server;
};

TEST_F(BrowserPageTest, EverySwitchToTheBrowserPageFetchesTheHostList) {
    Serve();
    OpenOnBrowserPage();
    window->SetActivePage(0);
    window->SetActivePage(1);
    EXPECT_THAT(Requests(), ElementsAre(Request{-1, -1}, Request{-1, -1}));
    EXPECT_THAT(desktop.messages, IsEmpty());

    const HWND list = Ui().ViewHost;
    ASSERT_EQ(ListView_GetItemCount(list), 2) << "the second fetch replaces the rows";
    for (int row = 0; row < 2; ++row) {
        const HostRecord& host = kHosts[static_cast<std::size_t>(row)];
        LVITEMW item{};
        item.mask = LVIF_PARAM | LVIF_IMAGE;
        item.iItem = row;
        ListView_GetItem(list, &item);
        std::u16string updated;
        window->Formatter().AppendTimestamp(host.Updated, updated);
        EXPECT_EQ(CellText(list, row, 0), host.Name);
        EXPECT_EQ(CellText(list, row, 1), updated);
        EXPECT_EQ(item.lParam, host.Id);
        EXPECT_EQ(item.iImage, host.Active != 0 ? kImageGreenSquare : kImageRedSquare);
    }
    EXPECT_EQ(window->Ui().statusBar.Text(0), u"Connected to .");
}

// Host lists and folder listings run off the window's thread like searches: while the
// server takes its time the window answers messages and takes no input.
TEST_F(BrowserPageTest, TheWindowAnswersAndTakesNoInputWhileAHostListOrAListingIsOnItsWay) {
    Serve();
    Open();
    const HWND main = Main();
    const HWND hosts = Ui().ViewHost;
    std::atomic<int> answered{0};
    std::atomic<int> disabled{0};
    server->BeforeEachAnswer([&] {
        DWORD_PTR result = 0;
        answered += SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
        disabled += !IsWindowEnabled(main);
        // Down to the next host, which would ask for its folders.
        PostMessageW(hosts, WM_KEYDOWN, VK_DOWN, 1);
        PostMessageW(hosts, WM_KEYUP, VK_DOWN, 0xC0000001);
        Sleep(200);
    });

    window->SetActivePage(1);  // the host list
    SelectHost(0);             // the host's top level
    EXPECT_THAT(Requests(), ElementsAre(Request{-1, -1}, Request{1, -1}));
    EXPECT_EQ(answered, 2);
    EXPECT_EQ(disabled, 2);
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(ListView_GetItemCount(Ui().ViewHost), 2);
    EXPECT_THAT(ContentRows(), ElementsAre(u"apps|", u"Docs|", u"share|"));
    EXPECT_THAT(desktop.messages, IsEmpty());
}

TEST_F(BrowserPageTest, SelectingAHostShowsItsTopLevelSortedWithoutAParentEntry) {
    Serve();
    OpenOnBrowserPage();
    SelectHost(0);
    EXPECT_THAT(Requests(), ElementsAre(Request{-1, -1}, Request{1, -1}));
    EXPECT_THAT(ContentRows(), ElementsAre(u"apps|", u"Docs|", u"share|"));
    EXPECT_EQ(Text(Ui().ViewContentPath), u"PATH: \\\\ALPHA");
    EXPECT_EQ(OpenRow(0), u"\\\\ALPHA\\apps");
    EXPECT_EQ(window->Ui().statusBar.Text(1), u"3 file(s)");
    EXPECT_THAT(desktop.messages, IsEmpty());
}

TEST_F(BrowserPageTest, OpeningAFolderRecordsItsParentAndDotDotLeadsBack) {
    Serve();
    OpenOnBrowserPage();
    SelectHost(0);
    DoubleClickContent(2);  // share

    EXPECT_THAT(ContentRows(), ElementsAre(u"..|", u"sub|", u"Zed|", u"A.txt|" + SizeText(2048),
                                           u"b.txt|" + SizeText(5)));
    EXPECT_EQ(Text(Ui().ViewContentPath), u"PATH: \\\\ALPHA\\share\\");
    EXPECT_EQ(OpenRow(3), u"\\\\ALPHA\\share\\A.txt") << "one trailing backslash removed";
    EXPECT_EQ(window->Ui().statusBar.Text(1), u"5 file(s)");

    // Folders and files carry the system's icons for folders and for their extensions.
    const struct {
        int row;
        const char16_t* name;
        std::uint32_t attributes;
    } icons[] = {{1, u"sub", 16}, {3, u"A.txt", 32}};
    for (const auto& icon : icons) {
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = icon.row;
        ListView_GetItem(Ui().ViewContent, &item);
        EXPECT_EQ(item.iImage, window->IconIndex(icon.name, icon.attributes));
    }

    DoubleClickContent(0);  // ..
    EXPECT_EQ(Requests().back(), (Request{1, -1}));
    EXPECT_THAT(ContentRows(), ElementsAre(u"apps|", u"Docs|", u"share|"));
    EXPECT_EQ(window->Ui().statusBar.Text(1), u"3 file(s)");
    EXPECT_THAT(desktop.messages, IsEmpty());
}

TEST_F(BrowserPageTest, ASecondWayIntoAFolderKeepsItsFirstParent) {
    Serve();
    OpenOnBrowserPage();
    SelectHost(0);
    DoubleClickContent(2);  // share, from the top level
    DoubleClickContent(0);  // ..
    DoubleClickContent(1);  // Docs
    DoubleClickContent(1);  // share link, the same folder 17
    EXPECT_EQ(Requests().back(), (Request{1, 17}));
    DoubleClickContent(0);  // .. goes where share was first opened from
    EXPECT_EQ(Requests().back(), (Request{1, -1}));
    EXPECT_THAT(ContentRows(), ElementsAre(u"apps|", u"Docs|", u"share|"));
}

TEST_F(BrowserPageTest, DoubleClickOnAFileOrBelowTheRowsFetchesNothing) {
    Serve();
    OpenOnBrowserPage();
    SelectHost(0);
    DoubleClickContent(2);  // share
    const std::size_t asked = Requests().size();
    DoubleClickContent(4);  // b.txt
    DoubleClickContent(7);  // empty space
    EXPECT_EQ(Requests().size(), asked);
    EXPECT_THAT(desktop.opened, IsEmpty()) << "files are opened with Open, not by double-click";
}

TEST_F(BrowserPageTest, AnUnreachableServerLeavesTheHostListEmpty) {
    OpenOnBrowserPage();
    EXPECT_EQ(ListView_GetItemCount(Ui().ViewHost), 0);
    ASSERT_EQ(desktop.messages.size(), 1u);
    const std::u16string& text = desktop.messages[0].text;
    EXPECT_TRUE(
        text.starts_with(u"Error while retrieving computers: Unable to connect to the "
                         u"database. Check the server name in preferences. "))
        << Utf16ToUtf8(text);
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(window->Ui().statusBar.Text(0), u"Communication error");
}

TEST_F(BrowserPageTest, AHostListThatBreaksOffKeepsTheHostsReadBeforeIt) {
    Serve();
    Bytes stream = WriteHostList(kHosts);
    stream.resize(stream.size() - 3);
    server->Answer(-1, -1, Compressed(stream));
    OpenOnBrowserPage();
    ASSERT_EQ(ListView_GetItemCount(Ui().ViewHost), 1);
    EXPECT_EQ(CellText(Ui().ViewHost, 0, 0), u"\\\\ALPHA");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, u"Error while retrieving computers: Stream read error");
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Error);
}

TEST_F(BrowserPageTest, AFailedFolderRequestLeavesTheFolderOnDisplay) {
    Serve();
    server->Answer(1, 20, ErrorAnswer(u"ERROR: share is offline"));
    OpenOnBrowserPage();
    SelectHost(0);
    DoubleClickContent(2);  // share
    const std::vector<std::u16string> shown = ContentRows();
    DoubleClickContent(1);  // sub: refused

    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text,
              u"Error while retrieving files & folders: ERROR: share is offline");
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(ContentRows(), shown);
    EXPECT_EQ(Text(Ui().ViewContentPath), u"PATH: \\\\ALPHA\\share\\");
    EXPECT_EQ(window->Ui().statusBar.Text(1), u"5 file(s)");
    EXPECT_EQ(OpenRow(3), u"\\\\ALPHA\\share\\A.txt");
    // The folder on display is still share, so a folder opened from it next has share as its
    // parent.
    DoubleClickContent(2);  // Zed
    DoubleClickContent(0);  // ..
    EXPECT_EQ(Requests().back(), (Request{1, 17}));
}

TEST_F(BrowserPageTest, AFailedHostRequestKeepsThePreviousHostsFolder) {
    Serve();
    server->Answer(2, -1, ErrorAnswer(u"ERROR: unknown host"));
    OpenOnBrowserPage();
    SelectHost(0);
    DoubleClickContent(2);  // share
    SelectHost(1);          // BETA: refused

    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text,
              u"Error while retrieving files & folders: ERROR: unknown host");
    EXPECT_EQ(Text(Ui().ViewContentPath), u"PATH: \\\\ALPHA\\share\\");
    // Opening a row goes to the folder it came from, not to the host that failed, and so
    // does a folder opened from there.
    EXPECT_EQ(OpenRow(4), u"\\\\ALPHA\\share\\b.txt");
    DoubleClickContent(1);  // sub
    EXPECT_EQ(Requests().back(), (Request{1, 20}));
    DoubleClickContent(0);  // ..
    EXPECT_EQ(Requests().back(), (Request{1, 17}));
}

TEST_F(BrowserPageTest, AListingThatBreaksOffShowsTheRowsReadUnsorted) {
    Serve();
    // The stream ends inside the last folder row: both files and one folder arrive.
    server->Answer(
        1, 17,
        Truncated(u"\\\\ALPHA\\share",
                  {File(u"b.txt", 5), File(u"A.txt", 2048), Folder(21, u"Zed"), Folder(20, u"sub")},
                  3));
    OpenOnBrowserPage();
    SelectHost(0);
    DoubleClickContent(2);  // share

    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text,
              u"Error while retrieving files & folders: Stream read error");
    EXPECT_THAT(ContentRows(),
                ElementsAre(u"b.txt|" + SizeText(5), u"A.txt|" + SizeText(2048), u"Zed|"))
        << "in the order read, without ..";
    EXPECT_EQ(Text(Ui().ViewContentPath), u"PATH: \\\\ALPHA\\share");
    EXPECT_EQ(window->Ui().statusBar.Text(1), u"3 file(s)") << "the count of the top level stays";
}

// The Win32 connector, except that a chosen call to Wait runs out of memory.
class RunsOutOfMemory final : public PipeConnector {
  public:
    explicit RunsOutOfMemory(int failingWait) : failingWait_(failingWait) {}
    bool Wait(const std::u16string& path, std::uint32_t timeoutMs) override {
        if (++waits_ == failingWait_) {
            throw std::bad_alloc();
        }
        return pipe_.Wait(path, timeoutMs);
    }
    bool Open(const std::u16string& path) override { return pipe_.Open(path); }
    bool SetByteMode() override { return pipe_.SetByteMode(); }
    bool Write(std::span<const std::uint8_t> data) override { return pipe_.Write(data); }
    bool Read(std::span<std::uint8_t> buffer, std::size_t& bytesRead) override {
        return pipe_.Read(buffer, bytesRead);
    }
    void Close() override { pipe_.Close(); }
    std::uint32_t LastError() const override { return pipe_.LastError(); }
    void ClearLastError() override { pipe_.ClearLastError(); }
    std::u16string SystemMessage(std::uint32_t code) const override {
        return pipe_.SystemMessage(code);
    }

  private:
    Win32PipeConnector pipe_;
    int failingWait_;
    int waits_ = 0;
};

// Running out of memory is reported like any other failure of the operation, with its
// prefix, and rolls back the same way.
TEST_F(BrowserPageTest, RunningOutOfMemoryIsReportedWithTheOperationsPrefix) {
    Serve();
    {
        window =
            std::make_unique<TKestrineClient>(store, desktop, std::make_shared<RunsOutOfMemory>(1));
        ASSERT_NE(window->Create(), nullptr);
        window->SetActivePage(1);
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0].text,
                  u"Error while retrieving computers: insufficient memory");
        EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Error);
        window.reset();
    }
    desktop.messages.clear();
    // The host list, the top level, then share.
    window =
        std::make_unique<TKestrineClient>(store, desktop, std::make_shared<RunsOutOfMemory>(3));
    ASSERT_NE(window->Create(), nullptr);
    window->SetActivePage(1);
    SelectHost(0);
    const std::vector<std::u16string> shown = ContentRows();
    DoubleClickContent(2);  // share: out of memory
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text,
              u"Error while retrieving files & folders: insufficient memory");
    EXPECT_EQ(ContentRows(), shown);
    EXPECT_EQ(Text(Ui().ViewContentPath), u"PATH: \\\\ALPHA");
    EXPECT_EQ(OpenRow(0), u"\\\\ALPHA\\apps");
}

}  // namespace
}  // namespace kestrine::testing
