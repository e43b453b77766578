// The window without a mouse: F6, the query box's arrows, Enter and Backspace in the lists,
// Shift+F10, Ctrl+Tab and the tab order, and the names screen readers give the controls.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "browser/browse_pipe_server.h"
#include "common/text.h"
#include "gui/key_press.h"
#include "gui/loaded_rows.h"
#include "gui/main_window_fixture.h"
#include "ui/control_ids.h"
#include "ui/list_view.h"

namespace kestrine::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Request = BrowsePipeServer::Key;

// k0.txt, k1.txt, k2.txt in \\PC\share.
std::vector<TFileSearchItem> NumberedHitsForKeys() {
    std::vector<TFileSearchItem> hits;
    for (const char16_t digit : {u'0', u'1', u'2'}) {
        hits.push_back(
            TFileSearchItem{u"\\\\PC", u"share", std::u16string(u"k") + digit + u".txt", 1, 0, 32});
    }
    return hits;
}

class KeyboardTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        store.Seed(u"ServerName", StoredValue::Text(u"."));
    }

    void Press(HWND target, WORD key, std::initializer_list<int> modifiers = {}) {
        PressKeyWith(*window, target, key, modifiers);
    }

    // Focus works only in the active window.
    void OpenShownAndActive() {
        Open(true);
        SetForegroundWindow(Main());
        SetActiveWindow(Main());
        Pump();
    }

    HWND QueryEdit() const {
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        GetComboBoxInfo(Ui().cmbQuery, &info);
        return info.hwndItem;
    }

    static std::u16string FirstCell(HWND list) {
        wchar_t buffer[256] = {};
        ListView_GetItemText(list, 0, 0, buffer, static_cast<int>(std::size(buffer)));
        return FromWide(buffer);
    }

    // Where the popup of a list opened from the keyboard stands: under its selected row.
    static POINT UnderSelectedRow(HWND list) {
        RECT row{};
        ListView_GetItemRect(list, SelectedRow(list), &row, LVIR_LABEL);
        POINT at{row.left, row.bottom};
        ClientToScreen(list, &at);
        return at;
    }
};

TEST_F(KeyboardTest, F6MovesTheFocusBetweenTheQueryBoxAndTheResultList) {
    OpenShownAndActive();
    ASSERT_NE(QueryEdit(), nullptr);
    SetFocus(QueryEdit());
    Press(QueryEdit(), VK_F6);
    EXPECT_EQ(GetFocus(), Ui().ViewResults) << "an empty list takes the focus too";
    Press(Ui().ViewResults, VK_F6);
    EXPECT_EQ(GetFocus(), QueryEdit());

    LoadSearchHits(*window, NumberedHitsForKeys());
    SetFocus(QueryEdit());
    Press(QueryEdit(), VK_F6);
    EXPECT_EQ(GetFocus(), Ui().ViewResults);
    EXPECT_EQ(SelectedRow(Ui().ViewResults), 0) << "the first row when none was selected";
    SelectOnly(Ui().ViewResults, 2);
    Press(Ui().ViewResults, VK_F6);
    Press(QueryEdit(), VK_F6);
    EXPECT_EQ(SelectedRow(Ui().ViewResults), 2) << "a selected row stays selected";
}

TEST_F(KeyboardTest, TheQueryBoxKeepsItsArrowKeysForTheHistory) {
    store.Seed(u"History", StoredValue::Text(u"newest,older"));
    OpenShownAndActive();
    SetFocus(QueryEdit());
    Press(QueryEdit(), VK_DOWN);
    EXPECT_EQ(Text(Ui().cmbQuery), u"newest");
    Press(QueryEdit(), VK_DOWN);
    EXPECT_EQ(Text(Ui().cmbQuery), u"older");
    Press(QueryEdit(), VK_UP);
    EXPECT_EQ(Text(Ui().cmbQuery), u"newest");
    EXPECT_EQ(GetFocus(), QueryEdit());
}

TEST_F(KeyboardTest, EnterInTheResultListOpensTheSelectedRow) {
    Open();
    LoadSearchHits(*window, NumberedHitsForKeys());
    Press(Ui().ViewResults, VK_RETURN);
    EXPECT_THAT(desktop.opened, IsEmpty()) << "no selected row";
    SelectOnly(Ui().ViewResults, 1);
    Press(Ui().ViewResults, VK_RETURN);
    EXPECT_THAT(desktop.opened, ElementsAre(u"\\\\PC\\share\\k1.txt"));
}

TEST_F(KeyboardTest, EnterOpensAFolderRowAndBackspaceGoesUpUntilTheTopLevel) {
    Open();
    const std::vector<HostRecord> hosts = {HostRecord{1, u"\\\\HOST", 46000.5, 1}};
    const std::vector<TFileBrowserItem> share = {TFileBrowserItem{false, 0, u"b.txt", 5},
                                                 TFileBrowserItem{true, 9, u"docs", 0}};
    LoadFolderBelowTopLevel(*window, desktop, u"\\\\PC\\share", share);
    BrowsePipeServer server;
    ASSERT_TRUE(server.Listening());
    server.Answer(1, 9,
                  Deflate(WriteFolderListing(
                      hosts, u"\\\\PC\\share\\docs",
                      std::vector<TFileBrowserItem>{TFileBrowserItem{false, 0, u"c.txt", 1}})));
    server.Answer(1, 7, Deflate(WriteFolderListing(hosts, u"\\\\PC\\share", share)));
    server.Answer(1, -1,
                  Deflate(WriteFolderListing(
                      hosts, std::nullopt,
                      std::vector<TFileBrowserItem>{TFileBrowserItem{true, 7, u"top", 0}})));
    const HWND list = Ui().ViewContent;

    SelectOnly(list, 2);  // b.txt
    Press(list, VK_RETURN);
    EXPECT_THAT(server.Requests(), IsEmpty()) << "a file row opens nothing";
    SelectOnly(list, 1);  // docs
    Press(list, VK_RETURN);
    EXPECT_EQ(Text(Ui().ViewContentPath), u"PATH: \\\\PC\\share\\docs");
    EXPECT_EQ(ListView_GetItemCount(list), 2) << "\"..\" and c.txt";

    Press(list, VK_BACK);
    EXPECT_EQ(Text(Ui().ViewContentPath), u"PATH: \\\\PC\\share");
    Press(list, VK_BACK);
    EXPECT_EQ(FirstCell(list), u"top") << "the host's top level, which has no \"..\"";
    Press(list, VK_BACK);
    EXPECT_THAT(server.Requests(), ElementsAre(Request{1, 9}, Request{1, 7}, Request{1, -1}));
}

TEST_F(KeyboardTest, ShiftF10AndTheMenuKeyOpenThePopupUnderTheSelectedRowOfEitherList) {
    struct Key {
        const char* name;
        WORD key;
        bool withShift;
    };
    const Key keys[] = {{"Shift+F10", VK_F10, true}, {"Menu key", VK_APPS, false}};
    const auto pressEach = [&](HWND list) {
        SelectOnly(list, 1);
        for (const Key& key : keys) {
            SCOPED_TRACE(key.name);
            desktop.popups.clear();
            if (key.withShift) {
                Press(list, key.key, {VK_SHIFT});
            } else {
                Press(list, key.key);
            }
            // Exactly one: the key is pressed and released, and nothing may show it twice.
            ASSERT_EQ(desktop.popups.size(), 1u);
            const POINT expected = UnderSelectedRow(list);
            EXPECT_EQ(desktop.popups[0].at.x, expected.x);
            EXPECT_EQ(desktop.popups[0].at.y, expected.y);
            EXPECT_TRUE(desktop.popups[0].items[0].enabled);
        }
    };
    Open();
    LoadSearchHits(*window, NumberedHitsForKeys());
    pressEach(Ui().ViewResults);
    LoadFolderBelowTopLevel(*window, desktop, u"\\\\PC\\share",
                            {TFileBrowserItem{false, 0, u"b.txt", 5}});
    pressEach(Ui().ViewContent);
}

TEST_F(KeyboardTest, EachLabelComesDirectlyBeforeItsControl) {
    Open();
    const auto& ui = Ui();
    // A screen reader names an edit or combo box by the label just before it.
    const std::pair<HWND, HWND> pairs[] = {{ui.Label4, ui.cmbQuery},
                                           {ui.Label1, ui.cmbSearchIn},
                                           {ui.Label3, ui.cmbFileTypes},
                                           {ui.Label2, ui.cmbSearchOn}};
    for (const auto& [label, control] : pairs) {
        EXPECT_EQ(GetWindow(control, GW_HWNDPREV), label) << Utf16ToUtf8(Text(label));
        EXPECT_EQ(ClassOf(label), u"Static");
    }
    EXPECT_EQ(GetWindow(ui.SearchTab.Handle(), GW_CHILD), ui.GroupBox1) << "the group box first";
}

TEST_F(KeyboardTest, CtrlTabTurnsThePagesAndTabRunsThroughTheBrowserPage) {
    OpenShownAndActive();
    Press(Ui().ViewResults, VK_TAB, {VK_CONTROL});
    EXPECT_EQ(window->ActivePage(), 1);
    EXPECT_EQ(GetFocus(), Ui().ViewHost);
    std::vector<HWND> order;
    HWND control = Ui().ViewHost;
    for (int step = 0; step < 2; ++step) {
        control = GetNextDlgTabItem(Main(), control, FALSE);
        order.push_back(control);
    }
    EXPECT_THAT(order, ElementsAre(Ui().ViewContent, Ui().ViewHost));
    Press(Ui().ViewContent, VK_TAB, {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(window->ActivePage(), 0);
    EXPECT_EQ(GetFocus(), Ui().ViewResults);
}

// What a screen reader reads: the name of the control's accessible object.
std::u16string AccessibleName(HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object)))) {
        return u"(no accessible object)";
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::u16string text = u"(no name)";
    if (SUCCEEDED(object->get_accName(self, &name)) && name != nullptr) {
        text.assign(reinterpret_cast<const char16_t*>(name), SysStringLen(name));
        SysFreeString(name);
    }
    object->Release();
    return text;
}

TEST_F(KeyboardTest, ListsAndTheStatusBarHaveNamesForScreenReaders) {
    Open();
    EXPECT_EQ(AccessibleName(Ui().ViewResults), u"Search results");
    EXPECT_EQ(AccessibleName(Ui().ViewHost), u"Computers");
    EXPECT_EQ(AccessibleName(Ui().ViewContent), u"Files and folders");
    SendMessageW(Ui().statusBar.Handle(), SB_SETTEXTW, 0,
                 reinterpret_cast<LPARAM>(L"Displaying 1 to 3"));
    EXPECT_EQ(AccessibleName(Ui().statusBar.Handle()), u"Status bar")
        << "not the text of its first panel";
}

}  // namespace
}  // namespace kestrine::testing
