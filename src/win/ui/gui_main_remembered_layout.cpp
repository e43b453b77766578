// The window's layout between runs: read from the layout store when the window is created and
// written when it is destroyed. The rules for the values live in core (settings/window_layout.h).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <optional>

#include "settings/design_dpi.h"
#include "settings/window_layout.h"
#include "ui/gui_main.h"
#include "ui/monitors.h"

namespace kestrine {

namespace {

// What the frame and the menu bar add to the client area.
SIZE FrameExtra(HWND window) {
    RECT outer{};
    RECT inner{};
    if (!IsIconic(window) && GetWindowRect(window, &outer) && GetClientRect(window, &inner)) {
        return SIZE{(outer.right - outer.left) - inner.right,
                    (outer.bottom - outer.top) - inner.bottom};
    }
    // A minimized window has no client area to measure against.
    RECT frame{};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), TRUE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

template <std::size_t N>
void RestoreColumns(HWND list, const std::array<std::optional<int>, N>& widths, unsigned dpi) {
    for (std::size_t column = 0; column < N; ++column) {
        if (widths[column]) {
            SendMessageW(list, LVM_SETCOLUMNWIDTH, column,
                         MAKELPARAM(ScaleFromDesignDpi(*widths[column], dpi), 0));
        }
    }
}

template <std::size_t N>
void StoreColumns(HWND list, std::array<std::optional<int>, N>& widths, unsigned dpi) {
    for (std::size_t column = 0; column < N; ++column) {
        widths[column] = ScaleToDesignDpi(
            static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0)), dpi);
    }
}

}  // namespace

void TKestrineClient::RestoreLayout() {
    if (layoutStore_ == nullptr) {
        return;
    }
    const WindowLayout layout = ReadWindowLayout(*layoutStore_);
    RestoreColumns(ui_.ViewResults, layout.ResultColumns, dpi_);
    RestoreColumns(ui_.ViewHost, layout.HostColumns, dpi_);
    RestoreColumns(ui_.ViewContent, layout.ContentColumns, dpi_);

    // The window starts centred at its described size; each remembered value replaces its part.
    const HWND window = Handle();
    if (layout.ClientWidth || layout.ClientHeight) {
        RECT client{};
        GetClientRect(window, &client);
        SetClientSizeCentred(layout.ClientWidth.value_or(ScaleToDesignDpi(client.right, dpi_)),
                             layout.ClientHeight.value_or(ScaleToDesignDpi(client.bottom, dpi_)));
    }
    RECT frame{};
    GetWindowRect(window, &frame);
    OffsetRect(&frame, layout.WindowLeft ? *layout.WindowLeft - frame.left : 0,
               layout.WindowTop ? *layout.WindowTop - frame.top : 0);
    const RECT placed = ToRect(OntoVisibleMonitor(ToScreenRect(frame), AttachedMonitors()));
    // Not shown yet, so this is also the normal rectangle a maximized start restores to.
    SetWindowPos(window, nullptr, placed.left, placed.top, placed.right - placed.left,
                 placed.bottom - placed.top, SWP_NOZORDER | SWP_NOACTIVATE);

    showMaximized_ = layout.Maximized.value_or(false);
    // A maximized window's pages fill the monitor's work area, not the normal size.
    SIZE grow{};
    if (showMaximized_) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& work = monitor.rcWork;
        grow.cx = std::max(0L, (work.right - work.left) - (placed.right - placed.left));
        grow.cy = std::max(0L, (work.bottom - work.top) - (placed.bottom - placed.top));
    }
    queryGroupHeight_ =
        SplitterWithin(layout.QueryGroupHeight, QueryGroupLimit() + ScaleToDesignDpi(grow.cy, dpi_))
            .value_or(queryGroupHeight_);
    hostListWidth_ =
        SplitterWithin(layout.HostListWidth, HostListLimit() + ScaleToDesignDpi(grow.cx, dpi_))
            .value_or(hostListWidth_);
    LayoutControls();
}

int TKestrineClient::RememberedShowCommand(int showCommand) const {
    // A plain start opens the window as it was left; a shortcut's own choice (minimized,
    // maximized) wins.
    const bool plain =
        showCommand == SW_SHOWNORMAL || showCommand == SW_SHOWDEFAULT || showCommand == SW_SHOW;
    return showMaximized_ && plain ? SW_SHOWMAXIMIZED : showCommand;
}

void TKestrineClient::SaveLayout() {
    const HWND window = Handle();
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (layoutStore_ == nullptr || !GetWindowPlacement(window, &placement)) {
        return;
    }
    // The normal rectangle, so that a maximized or minimized window remembers the size it
    // goes back to as well.
    const RECT normal = WorkspaceToScreen(placement.rcNormalPosition);
    const SIZE frame = FrameExtra(window);
    const bool iconic = IsIconic(window) != FALSE;
    WindowLayout layout;
    layout.WindowLeft = normal.left;
    layout.WindowTop = normal.top;
    layout.ClientWidth = ScaleToDesignDpi((normal.right - normal.left) - frame.cx, dpi_);
    layout.ClientHeight = ScaleToDesignDpi((normal.bottom - normal.top) - frame.cy, dpi_);
    layout.Maximized =
        IsZoomed(window) != FALSE || (iconic && (placement.flags & WPF_RESTORETOMAXIMIZED) != 0);
    StoreColumns(ui_.ViewResults, layout.ResultColumns, dpi_);
    StoreColumns(ui_.ViewHost, layout.HostColumns, dpi_);
    StoreColumns(ui_.ViewContent, layout.ContentColumns, dpi_);
    // Where the splitters are drawn: a window made smaller after a splitter was moved shows it
    // nearer than where it was put. A minimized window has no pages to measure.
    layout.QueryGroupHeight =
        iconic ? queryGroupHeight_ : std::min(queryGroupHeight_, QueryGroupLimit());
    layout.HostListWidth = iconic ? hostListWidth_ : std::min(hostListWidth_, HostListLimit());
    WriteWindowLayout(*layoutStore_, layout);
}

}  // namespace kestrine
