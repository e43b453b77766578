// The window's layout between runs: what the user left is what the next start shows, the
// window never opens off every monitor, and a broken value costs only itself.
#include <windows.h>
#include <commctrl.h>
#include <gmock/gmock.h>

#include <ostream>
#include <vector>

#include "gui/main_window_fixture.h"

namespace kestrine::testing {
namespace {

using ::testing::ElementsAre;

// Drags a splitter by `distance` pixels along its axis.
void Drag(HWND splitter, bool vertical, int distance) {
    const LPARAM start = MAKELPARAM(1, 1);
    const LPARAM end = vertical ? MAKELPARAM(1 + distance, 1) : MAKELPARAM(1, 1 + distance);
    SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, start);
    SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, end);
    SendMessageW(splitter, WM_LBUTTONUP, 0, end);
}

Box FrameOf(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return Box{frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top};
}

std::vector<int> ColumnWidths(HWND list) {
    std::vector<int> widths;
    const int count = Header_GetItemCount(ListView_GetHeader(list));
    for (int column = 0; column < count; ++column) {
        widths.push_back(ListView_GetColumnWidth(list, column));
    }
    return widths;
}

void SetColumnWidths(HWND list, const std::vector<int>& widths) {
    for (int column = 0; column < static_cast<int>(widths.size()); ++column) {
        ListView_SetColumnWidth(list, column, widths[column]);
    }
}

// What a user sees of the layout.
struct Seen {
    Box frame;
    Box client;
    std::vector<int> results, hosts, contents;
    Box queryGroup, resultPanel, hostList, folderList;

    friend bool operator==(const Seen&, const Seen&) = default;
    friend void PrintTo(const Seen& seen, std::ostream* out) {
        *out << "frame ";
        PrintTo(seen.frame, out);
        *out << " client ";
        PrintTo(seen.client, out);
        *out << " group ";
        PrintTo(seen.queryGroup, out);
        *out << " hosts ";
        PrintTo(seen.hostList, out);
        for (const auto* widths : {&seen.results, &seen.hosts, &seen.contents}) {
            *out << " [";
            for (int width : *widths) {
                *out << width << " ";
            }
            *out << "]";
        }
    }
};

class RememberedLayoutTest : public MainWindowTest {
  protected:
    TKestrineClient& OpenRemembering(bool show = false) {
        window = std::make_unique<TKestrineClient>(store, desktop);
        window->RememberLayoutIn(layout);
        EXPECT_NE(window->Create(), nullptr);
        if (show) {
            window->Show(SW_SHOWNORMAL);
        }
        Pump();
        return *window;
    }

    void Close() {
        SendMessageW(Main(), WM_CLOSE, 0, 0);
        Pump();
        window.reset();
    }

    Seen Look() const {
        const auto& ui = Ui();
        const HWND search = ui.SearchTab.Handle();
        const HWND panel = ui.ViewContentPanel.Handle();
        return Seen{FrameOf(Main()),
                    ClientBox(Main()),
                    ColumnWidths(ui.ViewResults),
                    ColumnWidths(ui.ViewHost),
                    ColumnWidths(ui.ViewContent),
                    BoxIn(ui.GroupBox1, search),
                    BoxIn(ui.ViewResultPanel.Handle(), search),
                    BoxIn(ui.ViewHost, panel),
                    BoxIn(ui.ViewContent, panel)};
    }

    StoredValue Remembered(const char16_t* name) const { return layout.Read(name); }

    MemorySettingsStore layout;
};

TEST_F(RememberedLayoutTest, WhatTheUserLeftIsWhatTheNextStartShows) {
    OpenRemembering();
    SetWindowPos(Main(), nullptr, 120, 90, 900, 650, SWP_NOZORDER | SWP_NOACTIVATE);
    SetColumnWidths(Ui().ViewResults, {250, 180, 0, 70, 100});
    SetColumnWidths(Ui().ViewHost, {110, 90});
    SetColumnWidths(Ui().ViewContent, {300, 95});
    Drag(Ui().Splitter2.Handle(), false, 40);
    Drag(Ui().Splitter1.Handle(), true, 35);
    const Seen left = Look();
    ASSERT_EQ(left.queryGroup.height, 124);
    ASSERT_EQ(left.hostList.width, 250);
    Close();

    EXPECT_EQ(Remembered(u"WindowLeft"), StoredValue::Integer(120));
    EXPECT_EQ(Remembered(u"WindowTop"), StoredValue::Integer(90));
    EXPECT_EQ(Remembered(u"ClientWidth"), StoredValue::Integer(left.client.width));
    EXPECT_EQ(Remembered(u"ClientHeight"), StoredValue::Integer(left.client.height));
    EXPECT_EQ(Remembered(u"Maximized"), StoredValue::Integer(0));
    EXPECT_EQ(Remembered(u"ViewResultsColumn2"), StoredValue::Integer(0));
    EXPECT_EQ(Remembered(u"ViewContentColumn1"), StoredValue::Integer(95));
    EXPECT_EQ(Remembered(u"QueryGroupHeight"), StoredValue::Integer(124));
    EXPECT_EQ(Remembered(u"HostListWidth"), StoredValue::Integer(250));
    EXPECT_EQ(store.Read(u"ClientWidth"), StoredValue::Missing()) << "not among the Search values";

    OpenRemembering();
    EXPECT_EQ(Look(), left);
}

TEST_F(RememberedLayoutTest, AWindowWithoutAStoreOpensAsDescribedAndWritesNothing) {
    layout.Seed(u"ClientWidth", StoredValue::Integer(900));
    Open();
    EXPECT_EQ(ClientBox(Main()), (Box{0, 0, 680, 457}));
    SendMessageW(Main(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(layout.Writes().empty());
}

TEST_F(RememberedLayoutTest, AMaximizedWindowOpensMaximizedAndRemembersItsNormalSize) {
    OpenRemembering(true);
    SetWindowPos(Main(), nullptr, 150, 100, 800, 560, SWP_NOZORDER | SWP_NOACTIVATE);
    const Box normal = FrameOf(Main());
    const Box normalClient = ClientBox(Main());
    // Without a window manager Wine leaves a shown window as it is on SW_MAXIMIZE; a
    // placement maximizes it as the maximize button would.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    ASSERT_TRUE(GetWindowPlacement(Main(), &placement));
    placement.showCmd = SW_SHOWMAXIMIZED;
    SetWindowPlacement(Main(), &placement);
    Pump();
    ASSERT_TRUE(IsZoomed(Main()));
    Close();
    EXPECT_EQ(Remembered(u"Maximized"), StoredValue::Integer(1));
    EXPECT_EQ(Remembered(u"WindowLeft"), StoredValue::Integer(150));
    EXPECT_EQ(Remembered(u"ClientWidth"), StoredValue::Integer(normalClient.width));
    EXPECT_EQ(Remembered(u"ClientHeight"), StoredValue::Integer(normalClient.height));

    OpenRemembering(true);
    EXPECT_TRUE(IsZoomed(Main()));
    ShowWindow(Main(), SW_RESTORE);
    Pump();
    EXPECT_EQ(FrameOf(Main()), normal) << "restoring gives back the normal rectangle";
}

TEST_F(RememberedLayoutTest, AWindowOnNoMonitorComesBackOntoOne) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT work = monitor.rcWork;
    const struct {
        const char* name;
        LONG left, top;
        bool moves;
    } cases[] = {
        {"far to the right, where a monitor was", work.right + 5000, 200, true},
        {"above and to the left of everything", -20000, -15000, true},
        {"partly on screen stays where the user put it", work.left - 300, 40, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        layout = MemorySettingsStore();
        layout.Seed(u"WindowLeft", StoredValue::Integer(c.left));
        layout.Seed(u"WindowTop", StoredValue::Integer(c.top));
        layout.Seed(u"ClientWidth", StoredValue::Integer(700));
        layout.Seed(u"ClientHeight", StoredValue::Integer(500));
        OpenRemembering();
        RECT frame{};
        GetWindowRect(Main(), &frame);
        EXPECT_NE(MonitorFromRect(&frame, MONITOR_DEFAULTTONULL), nullptr);
        EXPECT_EQ(ClientBox(Main()), (Box{0, 0, 700, 500})) << "the size is kept";
        if (c.moves) {
            EXPECT_GE(frame.left, work.left);
            EXPECT_GE(frame.top, work.top);
            EXPECT_LE(frame.right, work.right);
            EXPECT_LE(frame.bottom, work.bottom);
        } else {
            EXPECT_EQ(frame.left, c.left);
            EXPECT_EQ(frame.top, c.top);
        }
        window.reset();
    }
}

// Wine gives every window the one DPI of the display, so a start at another DPI cannot be
// made here; the window is moved to 144 DPI as Windows does it, by WM_DPICHANGED. The scaling
// itself is pinned by the core tests.
TEST_F(RememberedLayoutTest, SizesAreRememberedAt96DpiWhateverTheWindowShowsThemAt) {
    OpenRemembering();
    RECT frame{};
    GetWindowRect(Main(), &frame);
    RECT suggested{frame.left, frame.top, frame.left + (frame.right - frame.left) * 3 / 2,
                   frame.top + (frame.bottom - frame.top) * 3 / 2};
    SendMessageW(Main(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    ASSERT_EQ(ListView_GetColumnWidth(Ui().ViewResults, 1), 255) << "170 at 144 DPI";
    ListView_SetColumnWidth(Ui().ViewResults, 0, 360);
    Drag(Ui().Splitter2.Handle(), false, 60);
    ASSERT_EQ(BoxIn(Ui().GroupBox1, Ui().SearchTab.Handle()).height, 186);
    Close();
    EXPECT_EQ(Remembered(u"ViewResultsColumn0"), StoredValue::Integer(240));
    EXPECT_EQ(Remembered(u"ViewResultsColumn1"), StoredValue::Integer(170));
    EXPECT_EQ(Remembered(u"QueryGroupHeight"), StoredValue::Integer(124));

    OpenRemembering();
    EXPECT_THAT(ColumnWidths(Ui().ViewResults), ElementsAre(240, 170, 80, 60, 90));
    EXPECT_EQ(BoxIn(Ui().GroupBox1, Ui().SearchTab.Handle()).height, 124);
    GetWindowRect(Main(), &frame);
    suggested = RECT{frame.left, frame.top, frame.left + (frame.right - frame.left) * 3 / 2,
                     frame.top + (frame.bottom - frame.top) * 3 / 2};
    SendMessageW(Main(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(ListView_GetColumnWidth(Ui().ViewResults, 0), 360);
    EXPECT_EQ(BoxIn(Ui().GroupBox1, Ui().SearchTab.Handle()).height, 186);
}

TEST_F(RememberedLayoutTest, EachBrokenValueFallsBackOnItsOwn) {
    layout.Seed(u"WindowLeft", StoredValue::Text(u"120"));  // only integers are ours
    layout.Seed(u"WindowTop", StoredValue::Integer(60));
    layout.Seed(u"ClientWidth", StoredValue::Integer(-900));
    layout.Seed(u"ClientHeight", StoredValue::Integer(500));
    layout.Seed(u"Maximized", StoredValue::Integer(7));
    layout.Seed(u"ViewResultsColumn0", StoredValue::Text(u"abc"));
    layout.Seed(u"ViewResultsColumn1", StoredValue::Integer(99999));
    layout.Seed(u"ViewResultsColumn2", StoredValue::Integer(120));
    layout.Seed(u"ViewHostColumn0", StoredValue::Integer(-5));
    layout.Seed(u"ViewContentColumn1", StoredValue::Integer(65));
    layout.Seed(u"QueryGroupHeight", StoredValue::Integer(5000));  // beyond a 500 high window
    layout.Seed(u"HostListWidth", StoredValue::Integer(10));
    OpenRemembering(true);

    EXPECT_FALSE(IsZoomed(Main()));
    EXPECT_EQ(ClientBox(Main()), (Box{0, 0, 680, 500}));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(Main(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const Box frame = FrameOf(Main());
    EXPECT_NEAR(2 * frame.left + frame.width, monitor.rcMonitor.left + monitor.rcMonitor.right, 1)
        << "centred across";
    EXPECT_EQ(frame.top, 60);
    EXPECT_THAT(ColumnWidths(Ui().ViewResults), ElementsAre(230, 170, 120, 60, 90));
    EXPECT_THAT(ColumnWidths(Ui().ViewHost), ElementsAre(100, 85));
    EXPECT_THAT(ColumnWidths(Ui().ViewContent), ElementsAre(320, 65));
    EXPECT_EQ(BoxIn(Ui().GroupBox1, Ui().SearchTab.Handle()).height, 84);
    EXPECT_EQ(BoxIn(Ui().ViewHost, Ui().ViewContentPanel.Handle()).width, 215);

    Close();
    EXPECT_EQ(Remembered(u"WindowLeft"), StoredValue::Integer(frame.left)) << "repaired at exit";
    EXPECT_EQ(Remembered(u"ClientWidth"), StoredValue::Integer(680));
    EXPECT_EQ(Remembered(u"ViewResultsColumn0"), StoredValue::Integer(230));
}

}  // namespace
}  // namespace kestrine::testing
