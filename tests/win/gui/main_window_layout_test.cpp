// The window as it opens: caption, controls, captions, geometry at 96 DPI, fonts, tab order.
#include <windows.h>
#include <commctrl.h>
#include <gmock/gmock.h>

#include "gui/main_window_fixture.h"
#include "ui/control_ids.h"
#include "ui/image_lists.h"
#include "ui/list_view.h"

namespace kestrine::testing {
namespace {

using ::testing::ElementsAre;

LONG_PTR StyleOf(HWND window) {
    return GetWindowLongPtrW(window, GWL_STYLE);
}

TEST_F(MainWindowTest, OpensWithTheBuildsCaptionAndItsClientSizeCentred) {
    Open();
    EXPECT_EQ(Text(Main()),
              sizeof(void*) == 8 ? u"Kestrine Client (64-bit)" : u"Kestrine Client (32-bit)");
    EXPECT_EQ(ClassOf(Main()), u"TKestrineClient");
    EXPECT_EQ(ClientBox(Main()), (Box{0, 0, 680, 457}));
    EXPECT_NE(StyleOf(Main()) & WS_THICKFRAME, 0) << "resizable";

    RECT frame{};
    GetWindowRect(Main(), &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(Main(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    EXPECT_NEAR(frame.left + frame.right, monitor.rcMonitor.left + monitor.rcMonitor.right, 1);
    EXPECT_NEAR(frame.top + frame.bottom, monitor.rcMonitor.top + monitor.rcMonitor.bottom, 1);

    EXPECT_NE(SendMessageW(Main(), WM_GETICON, ICON_BIG, 0), 0) << "the dog's head";
    EXPECT_NE(SendMessageW(Main(), WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(MainWindowTest, InitialFocusIsOnTheResultList) {
    Open(true);
    SetForegroundWindow(Main());
    SetActiveWindow(Main());
    Pump();
    EXPECT_EQ(GetFocus(), Ui().ViewResults);
}

struct ControlCase {
    const char* name;
    HWND control;
    HWND parent;
    const char16_t* className;
    const char16_t* caption;  // nullptr: not checked
};

TEST_F(MainWindowTest, HasEveryControlOfTheLayoutWithItsParentKindAndCaption) {
    Open();
    const auto& ui = Ui();
    const ControlCase cases[] = {
        {"StatusBar", ui.statusBar.Handle(), Main(), u"msctls_statusbar32", nullptr},
        {"Pages", ui.Pages, Main(), u"SysTabControl32", nullptr},
        {"SearchTab", ui.SearchTab.Handle(), ui.Pages, u"KestrinePanel", nullptr},
        {"GroupBox1", ui.GroupBox1, ui.SearchTab.Handle(), u"Button", u""},
        {"Label4", ui.Label4, ui.SearchTab.Handle(), u"Static", u"Find what"},
        {"cmbQuery", ui.cmbQuery, ui.SearchTab.Handle(), u"ComboBox", u""},
        {"Label1", ui.Label1, ui.SearchTab.Handle(), u"Static", u"Search in"},
        {"cmbSearchIn", ui.cmbSearchIn, ui.SearchTab.Handle(), u"ComboBox", nullptr},
        {"Label3", ui.Label3, ui.SearchTab.Handle(), u"Static", u"type"},
        {"cmbFileTypes", ui.cmbFileTypes, ui.SearchTab.Handle(), u"ComboBox", nullptr},
        {"Label2", ui.Label2, ui.SearchTab.Handle(), u"Static", u"on"},
        {"cmbSearchOn", ui.cmbSearchOn, ui.SearchTab.Handle(), u"ComboBox", nullptr},
        {"bbGo", ui.bbGo, ui.SearchTab.Handle(), u"Button", u"&Go"},
        {"Splitter2", ui.Splitter2.Handle(), ui.SearchTab.Handle(), u"KestrineSplitter", nullptr},
        {"ViewResultPanel", ui.ViewResultPanel.Handle(), ui.SearchTab.Handle(), u"KestrinePanel",
         nullptr},
        {"ViewResults", ui.ViewResults, ui.ViewResultPanel.Handle(), u"SysListView32", nullptr},
        {"BrowseTab", ui.BrowseTab.Handle(), ui.Pages, u"KestrinePanel", nullptr},
        {"ViewContentPath", ui.ViewContentPath, ui.BrowseTab.Handle(), u"Static", u"PATH: \\\\"},
        {"ViewContentPanel", ui.ViewContentPanel.Handle(), ui.BrowseTab.Handle(), u"KestrinePanel",
         nullptr},
        {"ViewHost", ui.ViewHost, ui.ViewContentPanel.Handle(), u"SysListView32", nullptr},
        {"Splitter1", ui.Splitter1.Handle(), ui.ViewContentPanel.Handle(), u"KestrineSplitter",
         nullptr},
        {"ViewContent", ui.ViewContent, ui.ViewContentPanel.Handle(), u"SysListView32", nullptr},
    };
    for (const ControlCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.control, nullptr);
        EXPECT_EQ(GetParent(c.control), c.parent);
        EXPECT_EQ(ClassOf(c.control), c.className);
        if (c.caption != nullptr) {
            EXPECT_EQ(Text(c.control), c.caption);
        }
    }
    EXPECT_EQ(StyleOf(ui.cmbQuery) & 3, CBS_DROPDOWN) << "editable";
    for (const HWND combo : {ui.cmbSearchIn, ui.cmbFileTypes, ui.cmbSearchOn}) {
        EXPECT_EQ(StyleOf(combo) & 3, CBS_DROPDOWNLIST) << "list-only";
    }
    EXPECT_EQ(SendMessageW(ui.cmbQuery, CB_GETMINVISIBLE, 0, 0), 20);
    EXPECT_EQ(SendMessageW(ui.cmbFileTypes, CB_GETMINVISIBLE, 0, 0), 20);
}

struct GeometryCase {
    const char* name;
    HWND control;
    HWND reference;
    Box expected;
};

TEST_F(MainWindowTest, PlacesTheControlsAtTheirPositionsAt96Dpi) {
    Open();
    const auto& ui = Ui();
    // Docking, from the window's 680 x 457 client area inwards.
    const Box pages = BoxIn(ui.Pages, Main());
    EXPECT_EQ(BoxIn(ui.statusBar.Handle(), Main()), (Box{0, 438, 680, 19}));
    EXPECT_EQ(pages, (Box{0, 0, 680, 438}));
    RECT display{0, 0, pages.width, pages.height};
    SendMessageW(ui.Pages, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const Box page{display.left, display.top, display.right - display.left,
                   display.bottom - display.top};
    EXPECT_EQ(BoxIn(ui.SearchTab.Handle(), ui.Pages), page);
    EXPECT_EQ(BoxIn(ui.BrowseTab.Handle(), ui.Pages), page);

    const HWND search = ui.SearchTab.Handle();
    const HWND group = ui.GroupBox1;
    const HWND browse = ui.BrowseTab.Handle();
    const HWND panel = ui.ViewContentPanel.Handle();
    const int w = page.width;
    const int h = page.height;
    const int pw = w - 10;
    const int ph = h - 10 - 26;
    const GeometryCase cases[] = {
        // Search page, border 10: group box on top, splitter below it, the list fills.
        {"GroupBox1", group, search, {10, 10, w - 20, 84}},
        {"Splitter2", ui.Splitter2.Handle(), search, {10, 94, w - 20, 3}},
        {"ViewResultPanel", ui.ViewResultPanel.Handle(), search, {10, 97, w - 20, h - 107}},
        {"ViewResults", ui.ViewResults, ui.ViewResultPanel.Handle(), {0, 0, w - 20, h - 107}},
        {"bbGo", ui.bbGo, group, {562, 19, 86, 53}},
        // Browser page, border 5: path line on top, the panel fills.
        {"ViewContentPath", ui.ViewContentPath, browse, {5, 5, w - 10, 26}},
        {"ViewContentPanel", panel, browse, {5, 31, pw, ph}},
        {"ViewHost", ui.ViewHost, panel, {0, 0, 215, ph}},
        {"Splitter1", ui.Splitter1.Handle(), panel, {215, 0, 6, ph}},
        {"ViewContent", ui.ViewContent, panel, {221, 0, pw - 221, ph}},
    };
    for (const GeometryCase& c : cases) {
        EXPECT_EQ(BoxIn(c.control, c.reference), c.expected) << c.name;
    }

    // Inside the group box: labels at their points, combos at their point and width.
    const GeometryCase placed[] = {
        {"Label4", ui.Label4, group, {15, 24, 0, 0}},
        {"cmbQuery", ui.cmbQuery, group, {81, 20, 472, 0}},
        {"Label1", ui.Label1, group, {15, 54, 0, 0}},
        {"cmbSearchIn", ui.cmbSearchIn, group, {81, 49, 120, 0}},
        {"Label3", ui.Label3, group, {207, 52, 0, 0}},
        {"cmbFileTypes", ui.cmbFileTypes, group, {233, 49, 175, 0}},
        {"Label2", ui.Label2, group, {414, 54, 0, 0}},
        {"cmbSearchOn", ui.cmbSearchOn, group, {434, 49, 120, 0}},
    };
    for (const GeometryCase& c : placed) {
        const Box box = BoxIn(c.control, c.reference);
        EXPECT_EQ(box.left, c.expected.left) << c.name;
        EXPECT_EQ(box.top, c.expected.top) << c.name;
        if (c.expected.width != 0) {
            EXPECT_EQ(box.width, c.expected.width) << c.name;
        } else {
            EXPECT_GT(box.width, 0) << c.name << " sized to its text";
        }
    }
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font),
               &font);
    return font;
}

TEST_F(MainWindowTest, UsesTahoma8PointWithBoldLabelsAndPath) {
    Open();
    const auto& ui = Ui();
    for (const HWND control : {ui.cmbQuery, ui.Label3, ui.Label2, ui.bbGo, ui.ViewResults, ui.Pages,
                               ui.Label4, ui.Label1, ui.ViewContentPath}) {
        const LOGFONTW font = FontOf(control);
        EXPECT_EQ(FromWide(font.lfFaceName), u"Tahoma");
        EXPECT_EQ(font.lfHeight, -11) << "8 pt at 96 DPI";
    }
    for (const HWND bold : {ui.Label4, ui.Label1, ui.ViewContentPath}) {
        EXPECT_EQ(FontOf(bold).lfWeight, FW_BOLD);
    }
    for (const HWND normal : {ui.Label3, ui.Label2, ui.cmbQuery}) {
        EXPECT_EQ(FontOf(normal).lfWeight, FW_NORMAL);
    }
}

TEST_F(MainWindowTest, TabsShowTheirAmpersandAndTheGreySquare) {
    Open();
    ASSERT_EQ(SendMessageW(Ui().Pages, TCM_GETITEMCOUNT, 0, 0), 2);
    const char16_t* captions[] = {u"Search Files && Folders", u"Network Browser"};
    for (int index = 0; index < 2; ++index) {
        wchar_t text[64] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = text;
        item.cchTextMax = static_cast<int>(std::size(text));
        SendMessageW(Ui().Pages, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(FromWide(text), captions[index]);
        EXPECT_EQ(item.iImage, kImageGreySquare);
    }
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(Ui().Pages, TCM_GETIMAGELIST, 0, 0)),
              window->SmallImageList());
    EXPECT_EQ(window->ActivePage(), 0) << "the search page comes first";
    EXPECT_TRUE(IsShown(Ui().SearchTab.Handle()));
    EXPECT_FALSE(IsShown(Ui().BrowseTab.Handle()));
}

TEST_F(MainWindowTest, ImageListsHoldTheirImages) {
    Open();
    int width = 0;
    int height = 0;
    ASSERT_TRUE(ImageList_GetIconSize(window->SmallImageList(), &width, &height));
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
    EXPECT_EQ(ImageList_GetImageCount(window->SmallImageList()), 5);

    BUTTON_IMAGELIST glyph{};
    ASSERT_TRUE(SendMessageW(Ui().bbGo, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&glyph)));
    EXPECT_EQ(glyph.uAlign, static_cast<UINT>(BUTTON_IMAGELIST_ALIGN_RIGHT));
    ASSERT_TRUE(ImageList_GetIconSize(glyph.himl, &width, &height));
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 32);
    EXPECT_EQ(ImageList_GetImageCount(glyph.himl), 6) << "one per button state";

    // The dog's forehead: yellow in the normal image, grey in the disabled one (index 3).
    const auto forehead = [&glyph](int image) {
        const HDC screen = GetDC(nullptr);
        const HDC dc = CreateCompatibleDC(screen);
        const HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
        const HGDIOBJ old = SelectObject(dc, bitmap);
        ImageList_Draw(glyph.himl, image, dc, 0, 0, ILD_NORMAL);
        const COLORREF colour = GetPixel(dc, 16, 8);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        return colour;
    };
    const COLORREF normal = forehead(0);
    EXPECT_GT(GetRValue(normal), GetBValue(normal) + 100) << "yellow";
    const COLORREF disabled = forehead(3);
    EXPECT_EQ(GetRValue(disabled), GetGValue(disabled)) << "grey";
    EXPECT_EQ(GetGValue(disabled), GetBValue(disabled)) << "grey";
}

TEST_F(MainWindowTest, ComboBoxesHoldTheirChoices) {
    Open();
    const auto items = [](HWND combo) {
        std::vector<std::u16string> texts;
        const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; ++i) {
            wchar_t text[64] = {};
            SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            texts.push_back(FromWide(text));
        }
        return texts;
    };
    EXPECT_THAT(items(Ui().cmbSearchIn), ElementsAre(u"Files", u"Folders", u"Files & Folders"));
    EXPECT_THAT(items(Ui().cmbSearchOn), ElementsAre(u"All computers", u"Active computers"));
    EXPECT_EQ(items(Ui().cmbFileTypes).size(), 9u) << "the built-in categories";
    for (const HWND combo : {Ui().cmbSearchIn, Ui().cmbFileTypes, Ui().cmbSearchOn}) {
        EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    }
}

struct ListCase {
    const char* name;
    HWND list;
    bool virtualList;
    std::vector<std::pair<std::u16string, int>> columns;
};

TEST_F(MainWindowTest, ListViewsHaveTheirColumnsAndImageLists) {
    Open();
    const auto& ui = Ui();
    const ListCase cases[] = {
        {"ViewResults",
         ui.ViewResults,
         true,
         {{u"File Name", 230},
          {u"Folder", 170},
          {u"Computer", 80},
          {u"File Size", 60},
          {u"Date Modified", 90}}},
        {"ViewHost", ui.ViewHost, false, {{u"Name", 100}, {u"Updated", 85}}},
        {"ViewContent", ui.ViewContent, true, {{u"Name", 320}, {u"Size", 80}}},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.name);
        const LONG_PTR style = StyleOf(c.list);
        EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
        EXPECT_EQ((style & LVS_OWNERDATA) != 0, c.virtualList);
        EXPECT_NE(style & LVS_SHAREIMAGELISTS, 0) << "the lists do not own their images";
        EXPECT_NE(ListView_GetExtendedListViewStyle(c.list) & LVS_EX_FULLROWSELECT, 0u);
        const HWND header = ListView_GetHeader(c.list);
        ASSERT_EQ(Header_GetItemCount(header), static_cast<int>(c.columns.size()));
        for (int i = 0; i < static_cast<int>(c.columns.size()); ++i) {
            EXPECT_EQ(ListColumnCaption(c.list, i), c.columns[i].first);
            EXPECT_EQ(ListView_GetColumnWidth(c.list, i), c.columns[i].second);
        }
    }
    const HIMAGELIST system = SystemSmallIconList();
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(ListView_GetImageList(ui.ViewResults, LVSIL_SMALL), system);
    EXPECT_EQ(ListView_GetImageList(ui.ViewContent, LVSIL_SMALL), system);
    EXPECT_EQ(ListView_GetImageList(ui.ViewHost, LVSIL_SMALL), window->SmallImageList());
}

TEST_F(MainWindowTest, TabOrderRunsThroughTheQueryFormThenTheResultList) {
    Open();
    const auto& ui = Ui();
    std::vector<HWND> order;
    HWND control = ui.cmbQuery;
    for (int step = 0; step < 5; ++step) {
        control = GetNextDlgTabItem(Main(), control, FALSE);
        order.push_back(control);
    }
    EXPECT_THAT(order, ElementsAre(ui.cmbSearchIn, ui.cmbFileTypes, ui.cmbSearchOn, ui.bbGo,
                                   ui.ViewResults));
}

TEST_F(MainWindowTest, StatusBarHasFivePanelsOfFixedWidths) {
    Open();
    EXPECT_THAT(Ui().statusBar.PanelWidths(), ElementsAre(250, 160, 50, 50, 50));
    for (int panel = 0; panel < 5; ++panel) {
        EXPECT_EQ(Ui().statusBar.Text(panel), u"") << "empty at start";
    }
}

TEST_F(MainWindowTest, ScalesItsLayoutWhenTheDpiChanges) {
    Open();
    RECT frame{};
    GetWindowRect(Main(), &frame);
    RECT suggested{frame.left, frame.top, frame.left + (frame.right - frame.left) * 3 / 2,
                   frame.top + (frame.bottom - frame.top) * 3 / 2};
    SendMessageW(Main(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_THAT(Ui().statusBar.PanelWidths(), ElementsAre(375, 240, 75, 75, 75));
    EXPECT_EQ(FontOf(Ui().cmbQuery).lfHeight, -16);
    EXPECT_EQ(BoxIn(Ui().bbGo, Ui().GroupBox1), (Box{843, 29, 129, 80}));
    EXPECT_EQ(BoxIn(Ui().GroupBox1, Ui().SearchTab.Handle()).height, 126);
    EXPECT_EQ(ListView_GetColumnWidth(Ui().ViewResults, 0), 345);
}

}  // namespace
}  // namespace kestrine::testing
