// Menus, shortcuts, actions, the popup menu, the query box's Enter key, pages and splitters.
#include <windows.h>
#include <commctrl.h>
#include <gmock/gmock.h>

#include <map>

#include "gui/loaded_rows.h"
#include "gui/main_window_fixture.h"
#include "ui/control_ids.h"
#include "ui/image_lists.h"
#include "ui/list_view.h"

namespace kestrine::testing {
namespace {

using ::testing::ElementsAre;

// Replaces every action's execute hook by a counter, keeping the update hooks.
class CommandTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        store.Seed(u"ServerName", StoredValue::Text(u"."));
    }

    TKestrineClient& OpenCounting() {
        TKestrineClient& opened = Open();
        for (const Action& action : opened.Actions().All()) {
            const int id = action.id;
            opened.Actions().Find(id)->execute = [this, id] { ++executed[id]; };
        }
        return opened;
    }

    // Sends one key press through the program's message handling.
    void PressKey(HWND target, WORD key, bool ctrl = false) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        for (const UINT message : {WM_KEYDOWN, WM_KEYUP}) {
            // Repeat count 1; a key-up also has its previous-state and transition bits.
            const auto flags = static_cast<LPARAM>(message == WM_KEYDOWN ? 1u : 0xC0000001u);
            MSG msg{target, message, key, flags, 0, {}};
            if (!window->PreTranslateMessage(msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        Pump();
    }

    HWND QueryEdit() const {
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        GetComboBoxInfo(Ui().cmbQuery, &info);
        return info.hwndItem;
    }

    // One search hit on display and selected, so the operations apply.
    void ShowOneSelectedResult() {
        LoadSearchHits(*window, {TFileSearchItem{u"\\\\PC", u"share", u"a.txt", 1, 0, 32}});
        SelectOnly(Ui().ViewResults, 0);
    }

    std::map<int, int> executed;
};

TEST_F(CommandTest, FileMenuListsItsItemsWithShortcuts) {
    Open();
    const HMENU bar = GetMenu(Main());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(ReadMenuItems(bar).size(), 1u);
    EXPECT_EQ(ReadMenuItems(bar)[0].text, u"&File");
    const auto items = ReadMenuItems(GetSubMenu(bar, 0));
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].text, u"&Save Results ...\tCtrl+S");
    EXPECT_EQ(items[1].text, u"&Preferences\tCtrl+P");
    EXPECT_EQ(items[2].text, u"-");
    EXPECT_EQ(items[3].text, u"&Exit");
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 0), 0), static_cast<UINT>(kActionSave));
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 0), 1), static_cast<UINT>(kActionPreferences));
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 0), 3), static_cast<UINT>(kActionExit));
}

TEST_F(CommandTest, ActionTableHoldsCaptionsCategoriesImagesAndShortcuts) {
    Open();
    struct Expected {
        int id;
        const char16_t* caption;
        const char16_t* category;
        int image;
        WORD key;
    };
    const Expected table[] = {
        {kActionOpen, u"&Open", u"Operation", -1, 0},
        {kActionOpenFolder, u"Open Containing &Folder", u"Operation", -1, 0},
        {kActionMapDrive, u"&Map Network Drive", u"Operation", -1, 0},
        {kActionProperties, u"&Properties", u"Operation", -1, 0},
        {kActionPreferences, u"&Preferences", u"General", kImageChecklist, 'P'},
        {kActionGo, u"&Go", u"General", -1, 0},
        {kActionSave, u"&Save Results ...", u"General", kImageFloppyDisk, 'S'},
        {kActionExit, u"&Exit", u"General", -1, 0},
        {kActionCopyPath, u"Copy &Path", u"Operation", -1, 0},
    };
    ASSERT_EQ(window->Actions().All().size(), std::size(table));
    for (const Expected& e : table) {
        const Action* action = window->Actions().Find(e.id);
        ASSERT_NE(action, nullptr) << e.id;
        EXPECT_EQ(action->caption, e.caption);
        EXPECT_EQ(action->category, e.category);
        EXPECT_EQ(action->image, e.image);
        EXPECT_EQ(action->shortcut.key, e.key);
        EXPECT_EQ(action->shortcut.ctrl, e.key != 0);
    }
    for (const int general : {kActionPreferences, kActionGo, kActionSave, kActionExit}) {
        EXPECT_TRUE(window->Actions().IsEnabled(general)) << "always enabled";
    }
}

TEST_F(CommandTest, ShortcutsMenuItemsAndTheGoButtonRunTheirActions) {
    OpenCounting();
    PressKey(Ui().ViewResults, 'S', true);
    EXPECT_EQ(executed[kActionSave], 1) << "Ctrl+S";
    PressKey(Ui().ViewResults, 'P', true);
    EXPECT_EQ(executed[kActionPreferences], 1) << "Ctrl+P on the search page";
    window->SetActivePage(1);
    PressKey(Ui().ViewHost, 'P', true);
    EXPECT_EQ(executed[kActionPreferences], 2) << "Ctrl+P on the browser page";
    PressKey(Ui().ViewHost, 'S');
    EXPECT_EQ(executed[kActionSave], 1) << "S without Ctrl";

    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(kActionPreferences, 0), 0);
    EXPECT_EQ(executed[kActionPreferences], 3) << "menu item";
    SendMessageW(Ui().bbGo, BM_CLICK, 0, 0);
    EXPECT_EQ(executed[kActionGo], 1) << "Go button";
}

TEST_F(CommandTest, EnterInTheQueryBoxRunsGoAndOtherKeysDoNot) {
    OpenCounting();
    ASSERT_NE(QueryEdit(), nullptr);
    PressKey(QueryEdit(), 'A');
    PressKey(QueryEdit(), VK_TAB);
    EXPECT_EQ(executed[kActionGo], 0);
    PressKey(QueryEdit(), VK_RETURN);
    EXPECT_EQ(executed[kActionGo], 1);
    PressKey(Ui().ViewResults, VK_RETURN);
    EXPECT_EQ(executed[kActionGo], 1) << "only the query box";
}

TEST_F(CommandTest, ExitClosesTheWindow) {
    Open();
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(kActionExit, 0), 0);
    EXPECT_EQ(window->Handle(), nullptr);
}

TEST_F(CommandTest, PopupMenuOnEitherListIsGreyedWithoutASelectedRow) {
    OpenCounting();
    for (const HWND list : {Ui().ViewResults, Ui().ViewContent}) {
        desktop.popupChoices.push_back(kActionOpen);
        SendMessageW(Main(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(40, 50));
    }
    ASSERT_EQ(desktop.popups.size(), 2u);
    for (const auto& popup : desktop.popups) {
        ASSERT_EQ(popup.items.size(), 6u);
        EXPECT_EQ(popup.items[0].text, u"&Open");
        EXPECT_EQ(popup.items[1].text, u"Open Containing &Folder");
        EXPECT_EQ(popup.items[2].text, u"&Map Network Drive");
        EXPECT_EQ(popup.items[3].text, u"&Properties");
        EXPECT_EQ(popup.items[4].text, u"-");
        EXPECT_EQ(popup.items[5].text, u"Copy &Path");
        EXPECT_TRUE(popup.items[0].isDefault) << "Open is the default item";
        for (const auto& item : popup.items) {
            if (item.text != u"-") {
                EXPECT_FALSE(item.enabled) << "nothing is selected";
            }
        }
    }
    EXPECT_EQ(desktop.popups[0].at.x, 40);
    EXPECT_EQ(desktop.popups[0].at.y, 50);
    EXPECT_EQ(executed[kActionOpen], 0) << "a disabled action does nothing";
}

TEST_F(CommandTest, PopupMenuRunsTheChosenOperationOnTheSelectedRow) {
    OpenCounting();
    ShowOneSelectedResult();
    desktop.popupChoices.push_back(kActionProperties);
    // From the keyboard (Shift+F10): no mouse position.
    SendMessageW(Main(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Ui().ViewResults), -1);
    ASSERT_EQ(desktop.popups.size(), 1u);
    EXPECT_TRUE(desktop.popups[0].items[0].enabled);
    EXPECT_EQ(executed[kActionProperties], 1);

    // The update runs again just before executing: a selection gone by then runs nothing.
    window->Actions().Find(kActionOpen)->update = [] { return false; };
    desktop.popupChoices.push_back(kActionOpen);
    SendMessageW(Main(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Ui().ViewResults), -1);
    EXPECT_EQ(executed[kActionOpen], 0);
}

std::vector<bool> EnabledItems(const RecordingDesktopServices::Popup& popup) {
    std::vector<bool> enabled;
    for (const auto& item : popup.items) {
        if (item.text != u"-") {
            enabled.push_back(item.enabled);
        }
    }
    return enabled;
}

TEST_F(CommandTest, PopupMenuEnablesOperationsByTheSelectedRowOfTheActivePage) {
    Open();
    // A hit without a folder cannot be mapped as a drive.
    LoadSearchHits(*window, {TFileSearchItem{u"\\PC", u"", u"a.txt", 1, 0, 32}});
    SelectOnly(Ui().ViewResults, 0);
    SendMessageW(Main(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Ui().ViewResults), -1);

    // On the browser page the entries follow ViewContent: ".." allows nothing, a folder all
    // four, a file no drive mapping. Copy Path goes with Open.
    // A folder below the top level: "..", then docs and b.txt.
    LoadFolderBelowTopLevel(
        *window, desktop, u"\\\\PC\\share",
        {TFileBrowserItem{false, 0, u"b.txt", 5}, TFileBrowserItem{true, 9, u"docs", 0}});
    for (int row = 0; row < 3; ++row) {
        SelectOnly(Ui().ViewContent, row);
        SendMessageW(Main(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Ui().ViewContent), -1);
    }

    ASSERT_EQ(desktop.popups.size(), 4u);
    EXPECT_THAT(EnabledItems(desktop.popups[0]), ElementsAre(true, true, false, true, true));
    EXPECT_THAT(EnabledItems(desktop.popups[1]), ElementsAre(false, false, false, false, false));
    EXPECT_THAT(EnabledItems(desktop.popups[2]), ElementsAre(true, true, true, true, true));
    EXPECT_THAT(EnabledItems(desktop.popups[3]), ElementsAre(true, true, false, true, true));
}

TEST_F(CommandTest, DoubleClickOnTheResultListRunsOpen) {
    OpenCounting();
    NMITEMACTIVATE click{};
    click.hdr = NMHDR{Ui().ViewResults, static_cast<UINT_PTR>(kIdViewResults),
                      static_cast<UINT>(NM_DBLCLK)};
    click.iItem = 0;
    SendMessageW(Main(), WM_NOTIFY, kIdViewResults, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(executed[kActionOpen], 0) << "no selected row";
    ShowOneSelectedResult();
    SendMessageW(Main(), WM_NOTIFY, kIdViewResults, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(executed[kActionOpen], 1);
}

TEST_F(CommandTest, ClickingTheSecondTabShowsTheBrowserPage) {
    Open();
    RECT tab{};
    SendMessageW(Ui().Pages, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    const LPARAM point = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    SendMessageW(Ui().Pages, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(Ui().Pages, WM_LBUTTONUP, 0, point);
    Pump();
    EXPECT_EQ(window->ActivePage(), 1);
    EXPECT_TRUE(IsShown(Ui().BrowseTab.Handle()));
    EXPECT_FALSE(IsShown(Ui().SearchTab.Handle()));
    window->SetActivePage(0);
    EXPECT_TRUE(IsShown(Ui().SearchTab.Handle()));
    EXPECT_FALSE(IsShown(Ui().BrowseTab.Handle()));
}

// Drags a splitter by `distance` pixels along its axis.
void Drag(HWND splitter, bool vertical, int distance) {
    const LPARAM start = MAKELPARAM(1, 1);
    const LPARAM end = vertical ? MAKELPARAM(1 + distance, 1) : MAKELPARAM(1, 1 + distance);
    SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, start);
    SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, end);
    SendMessageW(splitter, WM_LBUTTONUP, 0, end);
}

TEST_F(CommandTest, SplittersMoveTheirBorders) {
    Open();
    const HWND search = Ui().SearchTab.Handle();
    const int listBottom = BoxIn(Ui().ViewResultPanel.Handle(), search).top +
                           BoxIn(Ui().ViewResultPanel.Handle(), search).height;
    Drag(Ui().Splitter2.Handle(), false, 40);
    EXPECT_EQ(BoxIn(Ui().GroupBox1, search).height, 124);
    EXPECT_EQ(BoxIn(Ui().Splitter2.Handle(), search).top, 134);
    EXPECT_EQ(BoxIn(Ui().ViewResultPanel.Handle(), search).top, 137);
    EXPECT_EQ(BoxIn(Ui().ViewResultPanel.Handle(), search).top +
                  BoxIn(Ui().ViewResultPanel.Handle(), search).height,
              listBottom)
        << "the list keeps its bottom edge";
    Drag(Ui().Splitter2.Handle(), false, -500);
    EXPECT_EQ(BoxIn(Ui().GroupBox1, search).height, 30) << "never smaller than 30";
    Drag(Ui().Splitter2.Handle(), false, 2000);
    EXPECT_EQ(BoxIn(Ui().ViewResultPanel.Handle(), search).height, 30) << "nor the list";

    const HWND panel = Ui().ViewContentPanel.Handle();
    Drag(Ui().Splitter1.Handle(), true, 35);
    EXPECT_EQ(BoxIn(Ui().ViewHost, panel).width, 250);
    EXPECT_EQ(BoxIn(Ui().Splitter1.Handle(), panel).left, 250);
    EXPECT_EQ(BoxIn(Ui().ViewContent, panel).left, 256);
    Drag(Ui().Splitter1.Handle(), true, -1000);
    EXPECT_EQ(BoxIn(Ui().ViewHost, panel).width, 30);
}

TEST_F(CommandTest, ResizingTheWindowKeepsTheDocking) {
    Open();
    SetWindowPos(Main(), nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
    const Box client = ClientBox(Main());
    EXPECT_EQ(BoxIn(Ui().statusBar.Handle(), Main()),
              (Box{0, client.height - 19, client.width, 19}));
    EXPECT_EQ(BoxIn(Ui().Pages, Main()), (Box{0, 0, client.width, client.height - 19}));
    const Box page = ClientBox(Ui().SearchTab.Handle());
    EXPECT_EQ(BoxIn(Ui().GroupBox1, Ui().SearchTab.Handle()), (Box{10, 10, page.width - 20, 84}));
    EXPECT_EQ(BoxIn(Ui().bbGo, Ui().GroupBox1), (Box{562, 19, 86, 53})) << "does not move";
}

}  // namespace
}  // namespace kestrine::testing
