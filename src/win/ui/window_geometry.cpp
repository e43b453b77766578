#include "ui/window_geometry.h"

#include <algorithm>
#include <climits>
#include <string>

#include "window_text.h"

namespace kestrine {
namespace {

int Width(const RECT& rect) {
    return rect.right - rect.left;
}

int Height(const RECT& rect) {
    return rect.bottom - rect.top;
}

RECT MonitorRect(HWND window, DWORD fallback, bool workArea) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(window, fallback), &monitor);
    return workArea ? monitor.rcWork : monitor.rcMonitor;
}

void MoveTo(HWND window, int x, int y, SIZE size) {
    SetWindowPos(window, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

SIZE WindowSizeForClient(HWND window, int clientWidth, int clientHeight) {
    RECT outer{};
    RECT inner{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &inner);
    return SIZE{Width(outer) - inner.right + clientWidth,
                Height(outer) - inner.bottom + clientHeight};
}

void CentreWindowOver(HWND window, HWND owner, SIZE size) {
    const RECT work =
        MonitorRect(owner != nullptr ? owner : window, MONITOR_DEFAULTTONEAREST, true);
    RECT over = work;
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &over);
    }
    int x = over.left + (Width(over) - size.cx) / 2;
    int y = over.top + (Height(over) - size.cy) / 2;
    x = std::max<int>(work.left, std::min<int>(x, work.right - size.cx));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - size.cy));
    MoveTo(window, x, y, size);
}

void CentreWindowOver(HWND window, HWND owner) {
    RECT rect{};
    GetWindowRect(window, &rect);
    CentreWindowOver(window, owner, SIZE{Width(rect), Height(rect)});
}

void CentreWindowOnMonitor(HWND window, SIZE size) {
    const RECT screen = MonitorRect(window, MONITOR_DEFAULTTOPRIMARY, false);
    MoveTo(window, screen.left + (Width(screen) - size.cx) / 2,
           screen.top + (Height(screen) - size.cy) / 2, size);
}

std::optional<SIZE> MeasureText(HWND window, HFONT font, std::u16string_view text) {
    if (text.size() > INT_MAX) {
        return std::nullopt;
    }
    const HDC dc = GetDC(window);
    if (dc == nullptr) {
        return std::nullopt;
    }
    const HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent{};
    const BOOL measured = GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()),
                                                static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    if (!measured) {
        return std::nullopt;
    }
    return extent;
}

std::optional<SIZE> MeasureText(HWND control) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    return MeasureText(control, font, WindowText(control));
}

}  // namespace kestrine
