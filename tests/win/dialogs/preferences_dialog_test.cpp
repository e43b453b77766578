#include "dialogs/preferences_dialog.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/dpi.h"
#include "win_text.h"

namespace kestrine {
namespace {

using Step = std::function<void(HWND dialog)>;

// The dialog under test runs its own modal loop on this thread; a timer inside that loop
// runs one step per tick, so keys posted by a step have passed the dialog manager before the
// next step looks. A dialog still open long after the last step is cancelled as a failure.
struct Script {
    std::vector<Step> steps;
    std::size_t next = 0;
    int idleTicks = 0;
};
Script* g_script = nullptr;

BOOL CALLBACK FindPreferences(HWND window, LPARAM found) {
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    if (IsWindowVisible(window) && FromWide(text) == u"Preferences") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindPreferences, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr || g_script == nullptr) {
        return;
    }
    if (g_script->next < g_script->steps.size()) {
        g_script->steps[g_script->next++](dialog);
    } else if (++g_script->idleTicks > 50) {
        ADD_FAILURE() << "the dialog stayed open after the last step";
        EndDialog(dialog, IDCANCEL);
    }
}

std::u16string TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return FromWide(text);
}

RECT BoxIn(HWND control, HWND reference) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND Grid(HWND dialog) {
    return GetDlgItem(dialog, kIdCategories);
}

// The in-place editor while it is shown, else nullptr.
HWND Editor(HWND dialog) {
    const HWND editor = FindWindowExW(Grid(dialog), nullptr, L"Edit", nullptr);
    return editor != nullptr && IsWindowVisible(editor) ? editor : nullptr;
}

std::u16string CellText(HWND list, int row, int column) {
    wchar_t text[256] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return FromWide(text);
}

std::vector<KeyValueRow> ShownRows(HWND dialog) {
    const HWND list = Grid(dialog);
    std::vector<KeyValueRow> rows;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        rows.push_back(KeyValueRow{CellText(list, row, 0), CellText(list, row, 1)});
    }
    return rows;
}

void SelectRow(HWND dialog, int row) {
    LVITEMW item{};
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(Grid(dialog), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

// A key press as the user makes it: queued, so it passes the dialog manager.
void Press(HWND target, WPARAM key) {
    PostMessageW(target, WM_KEYDOWN, key, 0);
}

// Shift+Tab: the editor reads Shift from this thread's key state, which a posted key leaves
// alone, so Shift is held down by hand until the next step.
void PressShiftTab(HWND target) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    Press(target, VK_TAB);
}

void ReleaseShift() {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

void Click(HWND dialog, int id) {
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// The editor's box within the list, and the cell it should cover.
RECT EditorBox(HWND dialog) {
    return BoxIn(Editor(dialog), Grid(dialog));
}

RECT RowBounds(HWND dialog, int row) {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageW(Grid(dialog), LVM_GETITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&bounds));
    return bounds;
}

int ColumnWidth(HWND dialog, int column) {
    return static_cast<int>(SendMessageW(Grid(dialog), LVM_GETCOLUMNWIDTH, column, 0));
}

class PreferencesDialogTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES;
        InitCommonControlsEx(&controls);
    }

    // Runs the dialog over owner through the steps; true when it closed with OK.
    bool Run(std::vector<Step> steps, HWND owner = nullptr) {
        Script script{std::move(steps)};
        g_script = &script;
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, &OnTimer);
        const bool ok = ShowPreferencesDialog(
            owner, values, [this](HWND, const std::u16string& text) { messages.push_back(text); });
        KillTimer(nullptr, timer);
        g_script = nullptr;
        EXPECT_EQ(script.next, script.steps.size()) << "the dialog closed before every step ran";
        return ok;
    }

    static int Px(int value) { return ScaleToDpi(value, WindowDpi(nullptr)); }

    const PreferencesValues original{
        u"filesrv", {{u"Any", u"*"}, {u"Audio", u"mp3,wav"}, {u"Video", u"avi"}}, u"1000"};
    PreferencesValues values = original;
    std::vector<std::u16string> messages;
};

TEST_F(PreferencesDialogTest, LaysOutTheControlsInsideTheBorderInTabOrder) {
    struct Expected {
        int id;
        const char16_t* text;
        RECT box;  // left, top, width, height at 96 DPI, in the area inside the border
    };
    const Expected expected[] = {
        {kIdGbCategories, u"File Categories", {0, 0, 313, 209}},
        {kIdCategories, u"", {14, 25, 283, 168}},
        {kIdGbSettings, u"", {0, 216, 313, 72}},
        {kIdLeServerName, nullptr, {14, 251, 185, 21}},
        {kIdLeMaxResult, nullptr, {209, 251, 88, 21}},
        {IDOK, u"&OK", {325, 11, 75, 25}},
        {IDCANCEL, u"&Cancel", {325, 45, 75, 25}},
    };
    ASSERT_FALSE(Run({[&](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), u"Preferences");
        const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
        EXPECT_TRUE((style & DS_MODALFRAME) && (style & WS_CAPTION));
        EXPECT_FALSE(style & WS_THICKFRAME) << "a dialog border, not a sizeable one";
        RECT client{};
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, Px(427));
        EXPECT_EQ(client.bottom, Px(314));
        for (const Expected& e : expected) {
            const HWND control = GetDlgItem(dialog, e.id);
            ASSERT_NE(control, nullptr) << e.id;
            const RECT box = BoxIn(control, dialog);
            EXPECT_EQ(box.left, Px(10 + e.box.left)) << e.id;
            EXPECT_EQ(box.top, Px(10 + e.box.top)) << e.id;
            EXPECT_EQ(box.right - box.left, Px(e.box.right)) << e.id;
            EXPECT_EQ(box.bottom - box.top, Px(e.box.bottom)) << e.id;
            if (e.text != nullptr) {
                EXPECT_EQ(TextOf(control), e.text) << e.id;
            }
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)),
                       sizeof(font), &font);
            EXPECT_EQ(FromWide(font.lfFaceName), u"Tahoma") << e.id;
            EXPECT_EQ(font.lfHeight, -MulDiv(8, static_cast<int>(WindowDpi(nullptr)), 72));
        }
        EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(dialog, kIdLeServerName), GWL_STYLE) &
                    ES_UPPERCASE);
        // Each label above its edit, 3 px apart, with room for its whole text.
        const std::pair<int, const char16_t*> labels[] = {
            {kIdLeServerName, u"Search engine server name"},
            {kIdLeMaxResult, u"Results per page"},
        };
        for (const auto& [editId, caption] : labels) {
            const HWND label = GetNextWindow(GetDlgItem(dialog, editId), GW_HWNDPREV);
            EXPECT_EQ(TextOf(label), caption);
            const RECT labelBox = BoxIn(label, dialog);
            const RECT editBox = BoxIn(GetDlgItem(dialog, editId), dialog);
            EXPECT_EQ(labelBox.left, editBox.left) << editId;
            EXPECT_EQ(labelBox.bottom + Px(3), editBox.top) << editId;
            const HDC dc = GetDC(label);
            const HGDIOBJ previous =
                SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
            SIZE extent{};
            GetTextExtentPoint32W(dc, AsWide(std::u16string(caption)),
                                  static_cast<int>(std::u16string(caption).size()), &extent);
            SelectObject(dc, previous);
            ReleaseDC(label, dc);
            EXPECT_GE(labelBox.right - labelBox.left, extent.cx) << editId;
        }
        EXPECT_EQ(LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)), IDOK);

        const int tabOrder[] = {kIdCategories, kIdLeServerName, kIdLeMaxResult,
                                IDOK,          IDCANCEL,        kIdCategories};
        HWND at = GetDlgItem(dialog, tabOrder[0]);
        EXPECT_EQ(GetFocus(), at) << "the grid has the focus first";
        for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
            at = GetNextDlgTabItem(dialog, at, FALSE);
            EXPECT_EQ(GetDlgCtrlID(at), tabOrder[i]) << "tab stop " << i;
        }
        Click(dialog, IDCANCEL);
    }}));
}

TEST_F(PreferencesDialogTest, ShowsTheValuesWithTheServerNameInUpperCase) {
    ASSERT_FALSE(Run({[&](HWND dialog) {
        EXPECT_EQ(TextOf(GetDlgItem(dialog, kIdLeServerName)), u"FILESRV");
        EXPECT_EQ(TextOf(GetDlgItem(dialog, kIdLeMaxResult)), u"1000");
        EXPECT_EQ(ShownRows(dialog), original.Categories);
        const HWND list = Grid(dialog);
        EXPECT_TRUE(GetWindowLongPtrW(list, GWL_STYLE) & LVS_NOCOLUMNHEADER);
        const LRESULT extended = SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
        EXPECT_TRUE((extended & LVS_EX_GRIDLINES) && (extended & LVS_EX_FULLROWSELECT));
        EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
        Click(dialog, IDCANCEL);
    }}));
}

TEST_F(PreferencesDialogTest, ColumnsFitTheGridWithAndWithoutAScrollBar) {
    for (const int rowCount : {3, 40}) {
        values.Categories.clear();
        for (int i = 0; i < rowCount; ++i) {
            values.Categories.push_back({u"Key" + FromWide(std::to_wstring(i)), u"v"});
        }
        ASSERT_FALSE(Run({[&](HWND dialog) {
            const HWND list = Grid(dialog);
            RECT client{};
            GetClientRect(list, &client);
            const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
            EXPECT_EQ((style & WS_VSCROLL) != 0, rowCount == 40) << rowCount;
            EXPECT_FALSE(style & WS_HSCROLL) << rowCount;
            EXPECT_EQ(ColumnWidth(dialog, 0), Px(100)) << rowCount;
            EXPECT_EQ(ColumnWidth(dialog, 0) + ColumnWidth(dialog, 1), client.right) << rowCount;
            Click(dialog, IDCANCEL);
        }}));
    }
}

TEST_F(PreferencesDialogTest, EditsInsertsAndDeletesRowsByKeyboardAndReturnsThemOnOk) {
    const bool ok = Run({
        [](HWND dialog) {
            SelectRow(dialog, 1);
            Press(Grid(dialog), VK_RETURN);  // edits the value, does not press OK
        },
        [&](HWND dialog) {
            ASSERT_NE(Editor(dialog), nullptr);
            EXPECT_EQ(GetFocus(), Editor(dialog));
            EXPECT_EQ(TextOf(Editor(dialog)), u"mp3,wav");
            EXPECT_EQ(EditorBox(dialog).left, RowBounds(dialog, 1).left + ColumnWidth(dialog, 0));
            EXPECT_EQ(EditorBox(dialog).top, RowBounds(dialog, 1).top);
            SetWindowTextW(Editor(dialog), L"mp3,ogg");
            Press(Editor(dialog), VK_RETURN);
        },
        [](HWND dialog) {
            EXPECT_EQ(Editor(dialog), nullptr);
            EXPECT_EQ(GetFocus(), Grid(dialog));
            Press(Grid(dialog), VK_INSERT);  // a row below the selected one, its key open
        },
        [&](HWND dialog) {
            ASSERT_NE(Editor(dialog), nullptr);
            EXPECT_EQ(ShownRows(dialog).size(), 4u);
            EXPECT_EQ(EditorBox(dialog).left, RowBounds(dialog, 2).left);
            EXPECT_EQ(EditorBox(dialog).top, RowBounds(dialog, 2).top);
            SetWindowTextW(Editor(dialog), L"Docs");
            Press(Editor(dialog), VK_TAB);  // on to the value
        },
        [&](HWND dialog) {
            ASSERT_NE(Editor(dialog), nullptr);
            EXPECT_EQ(EditorBox(dialog).left, RowBounds(dialog, 2).left + ColumnWidth(dialog, 0));
            SetWindowTextW(Editor(dialog), L"txt,doc");
            Press(Editor(dialog), VK_F2);  // an ordinary key inside the editor
            Press(Editor(dialog), VK_RETURN);
        },
        [](HWND dialog) {
            SelectRow(dialog, 0);
            Press(Grid(dialog), VK_DELETE);
        },
        [](HWND dialog) {
            SetWindowTextW(GetDlgItem(dialog, kIdLeServerName), L"\\\\fileSrv2");
            SetWindowTextW(GetDlgItem(dialog, kIdLeMaxResult), L"abc");
            Click(dialog, IDOK);
        },
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(values.ServerName, u"\\\\FILESRV2");  // the field's text; the window drops "\\"
    EXPECT_EQ(values.ResultsPerPage, u"abc");
    EXPECT_EQ(values.Categories,
              (std::vector<KeyValueRow>{
                  {u"Audio", u"mp3,ogg"}, {u"Docs", u"txt,doc"}, {u"Video", u"avi"}}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(PreferencesDialogTest, DoubleClickEditsTheCellAndOkTakesAnOpenEdit) {
    const bool ok = Run({
        [](HWND dialog) {
            const RECT row = RowBounds(dialog, 2);
            const LPARAM keyCell = MAKELPARAM(row.left + 5, (row.top + row.bottom) / 2);
            SendMessageW(Grid(dialog), WM_LBUTTONDOWN, MK_LBUTTON, keyCell);
            SendMessageW(Grid(dialog), WM_LBUTTONUP, 0, keyCell);
            SendMessageW(Grid(dialog), WM_LBUTTONDBLCLK, MK_LBUTTON, keyCell);
        },
        [](HWND dialog) {
            ASSERT_NE(Editor(dialog), nullptr);
            EXPECT_EQ(TextOf(Editor(dialog)), u"Video");
            SetWindowTextW(Editor(dialog), L"Movies");
            Press(Editor(dialog), VK_TAB);
        },
        [](HWND dialog) {
            EXPECT_EQ(TextOf(Editor(dialog)), u"avi");
            PressShiftTab(Editor(dialog));
        },
        [](HWND dialog) {
            EXPECT_EQ(TextOf(Editor(dialog)), u"Movies");
            PressShiftTab(Editor(dialog));
        },
        [](HWND dialog) {
            ReleaseShift();
            ASSERT_NE(Editor(dialog), nullptr);
            EXPECT_EQ(TextOf(Editor(dialog)), u"mp3,wav") << "back to the row above";
            SetWindowTextW(Editor(dialog), L"mp3");
            Click(dialog, IDOK);
        },
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(values.Categories[1], (KeyValueRow{u"Audio", u"mp3"}));
    EXPECT_EQ(values.Categories[2], (KeyValueRow{u"Movies", u"avi"}));
}

TEST_F(PreferencesDialogTest, UntouchedKeyIsNoEditWhereStoredKeysClash) {
    values.Categories = {{u"Any", u"*"}, {u"any", u"txt"}};
    const bool ok = Run({
        [](HWND dialog) {
            SelectRow(dialog, 1);
            Press(Grid(dialog), VK_F2);
        },
        [](HWND dialog) { PressShiftTab(Editor(dialog)); },
        [](HWND dialog) {
            ReleaseShift();
            EXPECT_EQ(TextOf(Editor(dialog)), u"any");
            Press(Editor(dialog), VK_RETURN);
        },
        [&](HWND dialog) {
            EXPECT_EQ(Editor(dialog), nullptr);
            EXPECT_TRUE(messages.empty());
            Click(dialog, IDOK);
        },
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(values.Categories, (std::vector<KeyValueRow>{{u"Any", u"*"}, {u"any", u"txt"}}));
}

TEST_F(PreferencesDialogTest, EnterOnAnEmptyGridPressesOk) {
    values.Categories.clear();
    ASSERT_TRUE(Run({[](HWND dialog) { Press(Grid(dialog), VK_RETURN); }}));
    EXPECT_TRUE(values.Categories.empty());
}

TEST_F(PreferencesDialogTest, DuplicateKeyIsRefusedAndKeptOpenUntilEscapeRevertsIt) {
    const std::u16string refusal = u"There is already a category named \"Audio\".";
    const bool ok = Run({
        [](HWND dialog) {
            SelectRow(dialog, 2);
            Press(Grid(dialog), VK_F2);
        },
        [](HWND dialog) {
            Press(Editor(dialog), VK_TAB);  // stepping back is Shift+Tab; here the next row
        },
        [](HWND dialog) {
            EXPECT_EQ(Editor(dialog), nullptr) << "Tab on the last value ends the edit";
            const RECT row = RowBounds(dialog, 2);
            SendMessageW(Grid(dialog), WM_LBUTTONDBLCLK, MK_LBUTTON,
                         MAKELPARAM(row.left + 5, (row.top + row.bottom) / 2));
        },
        [&](HWND dialog) {
            ASSERT_NE(Editor(dialog), nullptr);
            SetWindowTextW(Editor(dialog), L"AUDIO");
            Press(Editor(dialog), VK_RETURN);
        },
        [&](HWND dialog) {
            EXPECT_EQ(messages, std::vector<std::u16string>{refusal});
            ASSERT_NE(Editor(dialog), nullptr) << "the refused edit stays open";
            EXPECT_EQ(GetFocus(), Editor(dialog));
            // Leaving the field says nothing yet; OK asks again and stays.
            SetFocus(GetDlgItem(dialog, kIdLeMaxResult));
        },
        [&](HWND dialog) {
            ASSERT_NE(Editor(dialog), nullptr);
            EXPECT_EQ(messages.size(), 1u);
            Click(dialog, IDOK);
        },
        [&](HWND dialog) {
            EXPECT_EQ(messages, (std::vector<std::u16string>{refusal, refusal}));
            ASSERT_NE(Editor(dialog), nullptr);
            EXPECT_EQ(GetFocus(), Editor(dialog));
            Press(Editor(dialog), VK_ESCAPE);  // drops the edit, keeps the dialog
        },
        [&](HWND dialog) {
            EXPECT_EQ(Editor(dialog), nullptr);
            EXPECT_EQ(ShownRows(dialog), original.Categories);
            Press(Grid(dialog), VK_INSERT);
        },
        [](HWND dialog) {
            SetWindowTextW(Editor(dialog), L"any");
            Press(Editor(dialog), VK_RETURN);
        },
        [&](HWND dialog) {
            EXPECT_EQ(messages.back(), u"There is already a category named \"Any\".");
            ASSERT_NE(Editor(dialog), nullptr);
            SetWindowTextW(Editor(dialog), L"a=b");
            Press(Editor(dialog), VK_RETURN);
        },
        [&](HWND dialog) {
            EXPECT_EQ(messages.back(), u"A category name cannot contain \"=\".");
            Press(Editor(dialog), VK_ESCAPE);  // the new row goes again
        },
        [&](HWND dialog) {
            EXPECT_EQ(ShownRows(dialog), original.Categories);
            Click(dialog, IDOK);
        },
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(values.Categories, original.Categories);
    EXPECT_EQ(messages.size(), 4u);
}

TEST_F(PreferencesDialogTest, NewRowsWithoutAKeyGoAwayAndFocusLeavingTakesTheEdit) {
    const bool ok = Run({
        [](HWND dialog) {
            SelectRow(dialog, 2);
            Press(Grid(dialog), VK_DOWN);  // past the last row: a new one
        },
        [](HWND dialog) {
            EXPECT_EQ(ShownRows(dialog).size(), 4u);
            ASSERT_NE(Editor(dialog), nullptr);
            Press(Editor(dialog), VK_ESCAPE);
        },
        [](HWND dialog) {
            EXPECT_EQ(ShownRows(dialog).size(), 3u);
            Press(Grid(dialog), VK_INSERT);
        },
        [](HWND dialog) {
            Press(Editor(dialog), VK_RETURN);  // empty: given up
        },
        [](HWND dialog) {
            EXPECT_EQ(ShownRows(dialog).size(), 3u);
            EXPECT_EQ(Editor(dialog), nullptr);
            SelectRow(dialog, 0);
            Press(Grid(dialog), VK_F2);
        },
        [](HWND dialog) {
            SetWindowTextW(Editor(dialog), L"*.*");
            SetFocus(GetDlgItem(dialog, kIdLeServerName));
        },
        [](HWND dialog) {
            EXPECT_EQ(Editor(dialog), nullptr);
            EXPECT_EQ(ShownRows(dialog)[0], (KeyValueRow{u"Any", u"*.*"}));
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kIdLeServerName));
            Press(GetDlgItem(dialog, kIdLeServerName), VK_RETURN);  // the default button
        },
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(values.Categories[0], (KeyValueRow{u"Any", u"*.*"}));
    EXPECT_EQ(values.Categories.size(), 3u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(PreferencesDialogTest, CancelEscapeAndTheCloseBoxReturnNothing) {
    const std::vector<std::pair<const char*, Step>> closers = {
        {"Cancel", [](HWND dialog) { Click(dialog, IDCANCEL); }},
        {"Escape", [](HWND dialog) { Press(Grid(dialog), VK_ESCAPE); }},
        {"close box", [](HWND dialog) { PostMessageW(dialog, WM_CLOSE, 0, 0); }},
    };
    for (const auto& [name, close] : closers) {
        values = original;
        const bool ok = Run({
            [](HWND dialog) {
                SetWindowTextW(GetDlgItem(dialog, kIdLeServerName), L"OTHER");
                SetWindowTextW(GetDlgItem(dialog, kIdLeMaxResult), L"5");
                SelectRow(dialog, 0);
                Press(Grid(dialog), VK_DELETE);
            },
            close,
        });
        EXPECT_FALSE(ok) << name;
        EXPECT_EQ(values, original) << name;
    }
}

TEST_F(PreferencesDialogTest, IsCentredOverItsOwner) {
    const HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 120, 80, 800,
                                       600, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    const Step check = [owner](HWND dialog) {
        RECT box{};
        GetWindowRect(dialog, &box);
        EXPECT_NEAR((box.left + box.right) / 2, 120 + 400, 1);
        EXPECT_NEAR((box.top + box.bottom) / 2, 80 + 300, 1);
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
        Click(dialog, IDCANCEL);
    };
    EXPECT_FALSE(Run({check}, owner));
    DestroyWindow(owner);
}

}  // namespace
}  // namespace kestrine
