// Open, Open Containing Folder, Map Network Drive and Properties on the selected row of
// either page: the paths handed to the desktop, the hourglass, and the failure texts.
#include <windows.h>
#include <commctrl.h>
#include <gmock/gmock.h>

#include "common/text.h"
#include "gui/loaded_rows.h"
#include "gui/main_window_fixture.h"
#include "ui/control_ids.h"
#include "ui/list_view.h"

namespace kestrine::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The recorder, noting how deep the hourglass was at each call into the shell.
class WaitWatchingDesktop final : public DesktopServices {
  public:
    explicit WaitWatchingDesktop(RecordingDesktopServices& recorder) : recorder_(recorder) {}

    std::vector<int> waitAtShellCalls;

    void ShowMessage(HWND owner, const std::u16string& text, MessageIcon icon) override {
        recorder_.ShowMessage(owner, text, icon);
    }
    std::optional<std::u16string> PromptText(HWND owner, const std::u16string& caption,
                                             const std::u16string& prompt,
                                             const std::u16string& initial) override {
        return recorder_.PromptText(owner, caption, prompt, initial);
    }
    std::optional<std::u16string> ChooseSaveFile(HWND owner, const std::u16string& filter,
                                                 const std::u16string& defaultExtension,
                                                 bool promptOverwrite) override {
        return recorder_.ChooseSaveFile(owner, filter, defaultExtension, promptOverwrite);
    }
    void BeginWait() override { recorder_.BeginWait(); }
    void EndWait() override { recorder_.EndWait(); }
    ShellResult ShellOpen(HWND owner, const std::u16string& path) override {
        waitAtShellCalls.push_back(recorder_.waitDepth);
        return recorder_.ShellOpen(owner, path);
    }
    void ShowProperties(const std::u16string& path) override {
        waitAtShellCalls.push_back(recorder_.waitDepth);
        recorder_.ShowProperties(path);
    }
    void MapNetworkDrive(HWND owner, const std::u16string& remoteName) override {
        waitAtShellCalls.push_back(recorder_.waitDepth);
        recorder_.MapNetworkDrive(owner, remoteName);
    }
    POINT CursorPosition() override { return recorder_.CursorPosition(); }
    int TrackPopupMenu(HWND owner, HMENU menu, POINT screenPoint) override {
        return recorder_.TrackPopupMenu(owner, menu, screenPoint);
    }

  private:
    RecordingDesktopServices& recorder_;
};

class ShellOperationsTest : public MainWindowTest {
  protected:
    // No server listens on this computer's pipe, so the host list fails at once.
    void SetUp() override {
        MainWindowTest::SetUp();
        store.Seed(u"ServerName", StoredValue::Text(u"."));
    }

    void OpenWatched() {
        window = std::make_unique<TKestrineClient>(store, watched);
        ASSERT_NE(window->Create(), nullptr);
        Pump();
    }

    // The search page showing one hit, selected.
    void ShowHit(TFileSearchItem hit) {
        window->SetActivePage(0);
        LoadSearchHits(*window, {std::move(hit)});
        SelectOnly(Ui().ViewResults, 0);
    }

    // The browser page showing the folder at `path` holding `entries`, with row `selected`
    // selected: row 0 is "..", then the entries in the listing's order.
    void ShowEntries(const std::u16string& path, const std::vector<TFileBrowserItem>& entries,
                     int selected) {
        LoadFolderBelowTopLevel(*window, desktop, path, entries);
        desktop.messages.clear();
        SelectOnly(Ui().ViewContent, selected);
    }

    void RunAllFour() {
        for (const int action :
             {kActionOpen, kActionOpenFolder, kActionMapDrive, kActionProperties}) {
            window->Actions().Execute(action);
        }
    }

    WaitWatchingDesktop watched{desktop};
};

TEST_F(ShellOperationsTest, SearchPageHandsTheHitsPathsToTheShell) {
    struct Case {
        TFileSearchItem hit;
        std::u16string item;
        std::u16string folder;
        std::vector<std::u16string> mapped;
    };
    const Case cases[] = {
        {{u"\\\\PC", u"share\\docs", u"a.txt", 1, 0, 32},
         u"\\\\PC\\share\\docs\\a.txt",
         u"\\\\PC\\share\\docs",
         {u"\\\\PC\\share\\docs"}},
        // No folder: the file sits right below the computer and there is nothing to map.
        {{u"\\\\PC", u"", u"a.txt", 1, 0, 32}, u"\\\\PC\\a.txt", u"\\\\PC\\", {}},
    };
    OpenWatched();
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.item));
        desktop.opened.clear();
        desktop.properties.clear();
        desktop.mappedDrives.clear();
        watched.waitAtShellCalls.clear();
        ShowHit(c.hit);
        RunAllFour();
        EXPECT_THAT(desktop.opened, ElementsAre(c.item, c.folder));
        EXPECT_EQ(desktop.mappedDrives, c.mapped);
        EXPECT_THAT(desktop.properties, ElementsAre(c.item));
        // The hourglass around opening and properties; none under the map-drive dialog.
        const std::vector<int> expectedWaits =
            c.mapped.empty() ? std::vector<int>{1, 1, 1} : std::vector<int>{1, 1, 0, 1};
        EXPECT_EQ(watched.waitAtShellCalls, expectedWaits);
    }
    EXPECT_EQ(desktop.waitDepth, 0) << "the cursor is restored";
    EXPECT_THAT(desktop.messages, IsEmpty());
}

TEST_F(ShellOperationsTest, BrowserPageOpensRowsBelowTheFolderOnDisplay) {
    // Row 0 is "..", then sub and b.txt.
    const std::vector<TFileBrowserItem> listing = {TFileBrowserItem{true, 20, u"sub", 0},
                                                   TFileBrowserItem{false, 0, u"b.txt", 5}};
    OpenWatched();
    ShowEntries(u"\\\\ALPHA\\share", listing, 2);  // a file
    RunAllFour();
    EXPECT_THAT(desktop.opened, ElementsAre(u"\\\\ALPHA\\share\\b.txt", u"\\\\ALPHA\\share"));
    EXPECT_THAT(desktop.mappedDrives, IsEmpty()) << "a file cannot be mapped";
    EXPECT_THAT(desktop.properties, ElementsAre(u"\\\\ALPHA\\share\\b.txt"));

    desktop.opened.clear();
    desktop.properties.clear();
    ShowEntries(u"\\\\ALPHA\\share", listing, 1);  // a folder
    RunAllFour();
    EXPECT_THAT(desktop.opened, ElementsAre(u"\\\\ALPHA\\share\\sub", u"\\\\ALPHA\\share"));
    EXPECT_THAT(desktop.mappedDrives, ElementsAre(u"\\\\ALPHA\\share\\sub"));
    EXPECT_THAT(desktop.properties, ElementsAre(u"\\\\ALPHA\\share\\sub"));

    // ".." allows none of the four.
    desktop.opened.clear();
    desktop.properties.clear();
    desktop.mappedDrives.clear();
    ShowEntries(u"\\\\ALPHA\\share", listing, 0);
    RunAllFour();
    EXPECT_THAT(desktop.opened, IsEmpty());
    EXPECT_THAT(desktop.mappedDrives, IsEmpty());
    EXPECT_THAT(desktop.properties, IsEmpty());
    EXPECT_THAT(desktop.messages, IsEmpty());
}

TEST_F(ShellOperationsTest, ShellFailuresShowTheSystemMessageOfTheLastError) {
    OpenWatched();
    desktop.shellResult = ShellResult{false, ERROR_FILE_NOT_FOUND};
    const std::u16string reason = SystemMessageText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(reason.empty());

    ShowHit({u"\\\\PC", u"share", u"a.txt", 1, 0, 32});
    RunAllFour();  // Properties and Map Network Drive report nothing
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[0].text, u"Unable to open: " + reason);
    EXPECT_EQ(desktop.messages[1].text, u"Unable to open: " + reason);

    ShowEntries(u"\\\\ALPHA\\share", {TFileBrowserItem{true, 20, u"sub", 0}}, 1);
    RunAllFour();
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[0].text, u"Unable to open: " + reason);
    EXPECT_EQ(desktop.messages[1].text, u"Unable to open current folder: " + reason);
    for (const auto& message : desktop.messages) {
        EXPECT_EQ(message.icon, MessageIcon::Error);
    }
    EXPECT_EQ(desktop.waitDepth, 0);
}

TEST_F(ShellOperationsTest, PathsThatAreNotNetworkPathsNeverReachTheShell) {
    OpenWatched();
    const std::u16string refused = SystemMessageText(ERROR_BAD_NETPATH);
    ASSERT_FALSE(refused.empty());
    // A computer name without backslashes would make a path relative to the current folder;
    // "\\." and "\\?" name this computer's devices and files; a drive is local.
    for (const char16_t* computer : {u"PC", u"\\\\.", u"\\\\?", u"C:", u""}) {
        SCOPED_TRACE(Utf16ToUtf8(computer));
        desktop.messages.clear();
        ShowHit({computer, u"share", u"run.exe", 1, 0, 32});
        RunAllFour();
        EXPECT_THAT(desktop.messages,
                    ElementsAre(::testing::Field(&RecordingDesktopServices::Message::text,
                                                 u"Unable to open: " + refused),
                                ::testing::Field(&RecordingDesktopServices::Message::text,
                                                 u"Unable to open: " + refused)));
    }
    ShowEntries(u"ALPHA\\share", {TFileBrowserItem{true, 20, u"sub", 0}}, 1);
    RunAllFour();
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[0].text, u"Unable to open: " + refused);
    EXPECT_EQ(desktop.messages[1].text, u"Unable to open current folder: " + refused);

    EXPECT_THAT(desktop.opened, IsEmpty());
    EXPECT_THAT(desktop.properties, IsEmpty());
    EXPECT_THAT(desktop.mappedDrives, IsEmpty());
    EXPECT_EQ(desktop.waitDepth, 0);
}

TEST_F(ShellOperationsTest, DoubleClickOnAResultOpensIt) {
    OpenWatched();
    ShowHit({u"\\\\PC", u"share", u"a.txt", 1, 0, 32});
    NMITEMACTIVATE click{};
    click.hdr = NMHDR{Ui().ViewResults, static_cast<UINT_PTR>(kIdViewResults),
                      static_cast<UINT>(NM_DBLCLK)};
    click.iItem = 0;
    SendMessageW(Main(), WM_NOTIFY, kIdViewResults, reinterpret_cast<LPARAM>(&click));
    EXPECT_THAT(desktop.opened, ElementsAre(u"\\\\PC\\share\\a.txt"));
}

}  // namespace
}  // namespace kestrine::testing
