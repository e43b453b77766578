// Places the main window's controls: docking for the containers, fixed positions inside the
// query group, all given at 96 DPI and scaled to the window's DPI.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <array>

#include "settings/window_layout.h"
#include "ui/dock_layout.h"
#include "ui/dpi.h"
#include "ui/gui_main.h"
#include "ui/window_geometry.h"

namespace kestrine {

namespace {

constexpr int kSearchTabBorder = 10;
constexpr int kBrowseTabBorder = 5;
constexpr int kQueryGroupSplitterHeight = 3;
constexpr int kHostSplitterWidth = 6;
constexpr int kPathHeight = 26;

void Place(HWND control, const Box& box) {
    if (control != nullptr) {
        SetWindowPos(control, nullptr, box.left, box.top, box.width, box.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

Box ClientBox(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return Box{0, 0, rect.right - rect.left, rect.bottom - rect.top};
}

// A label's size follows its text, like a caption that sizes itself.
void PlaceLabel(HWND label, int left, int top) {
    const SIZE size = MeasureText(label).value_or(SIZE{});
    Place(label, Box{left, top, size.cx, size.cy});
}

// A combo's height covers its drop-down list; the closed box takes the font's height.
void PlaceCombo(HWND combo, int left, int top, int width, int visibleItems) {
    const auto field =
        static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    const auto item = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
    Place(combo, Box{left, top, width, field + 8 + item * visibleItems});
}

}  // namespace

int TKestrineClient::Scale(int value) const {
    return ScaleToDpi(value, dpi_);
}

void TKestrineClient::LayoutControls() {
    if (ui_.Pages == nullptr) {
        return;
    }
    const std::array<DockItem, 2> items = {DockItem{Dock::Bottom, Scale(StatusBar::kDesignHeight)},
                                           DockItem{Dock::Fill, 0}};
    const auto boxes = DockLayout(ClientBox(Handle()), items);
    Place(ui_.statusBar.Handle(), boxes[0]);
    Place(ui_.Pages, boxes[1]);

    RECT display{0, 0, boxes[1].width, boxes[1].height};
    SendMessageW(ui_.Pages, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const Box page{display.left, display.top, std::max<int>(display.right - display.left, 0),
                   std::max<int>(display.bottom - display.top, 0)};
    Place(ui_.SearchTab.Handle(), page);
    Place(ui_.BrowseTab.Handle(), page);
    LayoutSearchPage();
    LayoutBrowserPage();
}

void TKestrineClient::LayoutSearchPage() {
    const Box area = Inset(ClientBox(ui_.SearchTab.Handle()), Scale(kSearchTabBorder));
    const int splitter = Scale(kQueryGroupSplitterHeight);
    const int maximum = std::max(area.height - splitter - Scale(kSplitterMinimum), 0);
    const int groupHeight = std::min(Scale(queryGroupHeight_), maximum);
    const std::array<DockItem, 3> items = {DockItem{Dock::Top, groupHeight},
                                           DockItem{Dock::Top, splitter}, DockItem{Dock::Fill, 0}};
    const auto boxes = DockLayout(area, items);
    Place(ui_.GroupBox1, boxes[0]);
    Place(ui_.Splitter2.Handle(), boxes[1]);
    Place(ui_.ViewResultPanel.Handle(), boxes[2]);
    Place(ui_.ViewResults, Box{0, 0, boxes[2].width, boxes[2].height});

    // The query group's controls, at their places inside the group box.
    const int x = boxes[0].left;
    const int y = boxes[0].top;
    PlaceLabel(ui_.Label4, x + Scale(15), y + Scale(24));
    PlaceCombo(ui_.cmbQuery, x + Scale(81), y + Scale(20), Scale(472), 20);
    PlaceLabel(ui_.Label1, x + Scale(15), y + Scale(54));
    PlaceCombo(ui_.cmbSearchIn, x + Scale(81), y + Scale(49), Scale(120), 3);
    PlaceLabel(ui_.Label3, x + Scale(207), y + Scale(52));
    PlaceCombo(ui_.cmbFileTypes, x + Scale(233), y + Scale(49), Scale(175), 20);
    PlaceLabel(ui_.Label2, x + Scale(414), y + Scale(54));
    PlaceCombo(ui_.cmbSearchOn, x + Scale(434), y + Scale(49), Scale(120), 2);
    Place(ui_.bbGo, Box{x + Scale(562), y + Scale(19), Scale(86), Scale(53)});
}

void TKestrineClient::LayoutBrowserPage() {
    const Box area = Inset(ClientBox(ui_.BrowseTab.Handle()), Scale(kBrowseTabBorder));
    const std::array<DockItem, 2> rows = {DockItem{Dock::Top, Scale(kPathHeight)},
                                          DockItem{Dock::Fill, 0}};
    const auto rowBoxes = DockLayout(area, rows);
    Place(ui_.ViewContentPath, rowBoxes[0]);
    Place(ui_.ViewContentPanel.Handle(), rowBoxes[1]);

    const Box panel{0, 0, rowBoxes[1].width, rowBoxes[1].height};
    const int splitter = Scale(kHostSplitterWidth);
    const int maximum = std::max(panel.width - splitter - Scale(kSplitterMinimum), 0);
    const std::array<DockItem, 3> columns = {
        DockItem{Dock::Left, std::min(Scale(hostListWidth_), maximum)},
        DockItem{Dock::Left, splitter}, DockItem{Dock::Fill, 0}};
    const auto boxes = DockLayout(panel, columns);
    Place(ui_.ViewHost, boxes[0]);
    Place(ui_.Splitter1.Handle(), boxes[1]);
    Place(ui_.ViewContent, boxes[2]);
}

void TKestrineClient::MoveQueryGroupSplitter(int origin) {
    const Box area = Inset(ClientBox(ui_.SearchTab.Handle()), Scale(kSearchTabBorder));
    const int maximum = area.height - Scale(kQueryGroupSplitterHeight) - Scale(kSplitterMinimum);
    const int height = std::clamp(origin - area.top, Scale(kSplitterMinimum),
                                  std::max(maximum, Scale(kSplitterMinimum)));
    queryGroupHeight_ = ScaleToDesignDpi(height, dpi_);
    LayoutSearchPage();
}

void TKestrineClient::MoveHostSplitter(int origin) {
    RECT rect{};
    GetClientRect(ui_.ViewContentPanel.Handle(), &rect);
    const int maximum = rect.right - Scale(kHostSplitterWidth) - Scale(kSplitterMinimum);
    const int width =
        std::clamp(origin, Scale(kSplitterMinimum), std::max(maximum, Scale(kSplitterMinimum)));
    hostListWidth_ = ScaleToDesignDpi(width, dpi_);
    LayoutBrowserPage();
}

int TKestrineClient::QueryGroupLimit() const {
    const Box area = Inset(ClientBox(ui_.SearchTab.Handle()), Scale(kSearchTabBorder));
    return ScaleToDesignDpi(
        area.height - Scale(kQueryGroupSplitterHeight) - Scale(kSplitterMinimum), dpi_);
}

int TKestrineClient::HostListLimit() const {
    RECT rect{};
    GetClientRect(ui_.ViewContentPanel.Handle(), &rect);
    return ScaleToDesignDpi(rect.right - Scale(kHostSplitterWidth) - Scale(kSplitterMinimum), dpi_);
}

void TKestrineClient::SetClientSizeCentred(int width, int height) {
    CentreWindowOnMonitor(Handle(), WindowSizeForClient(Handle(), Scale(width), Scale(height)));
}

void TKestrineClient::OnDpiChanged(unsigned dpi, const RECT& suggested) {
    if (dpi == 0 || dpi == dpi_) {
        return;
    }
    const unsigned old = dpi_;
    dpi_ = dpi;
    fonts_ = CreateUiFonts(dpi_);
    ApplyFonts();
    ui_.statusBar.SetPanelWidths(kStatusPanelWidths, dpi_);
    for (const HWND list : {ui_.ViewResults, ui_.ViewHost, ui_.ViewContent}) {
        const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
        const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
        for (int column = 0; column < columns; ++column) {
            const auto width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
            SendMessageW(list, LVM_SETCOLUMNWIDTH, column,
                         MulDiv(width, static_cast<int>(dpi_), static_cast<int>(old)));
        }
    }
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutControls();
}

}  // namespace kestrine
