#include "ui/monitors.h"

namespace kestrine {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info)) {
        reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back(
            MonitorArea{ToScreenRect(info.rcMonitor), ToScreenRect(info.rcWork)});
    }
    return TRUE;
}

}  // namespace

std::vector<MonitorArea> AttachedMonitors() {
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

ScreenRect ToScreenRect(const RECT& rect) {
    return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

RECT ToRect(const ScreenRect& rect) {
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

RECT WorkspaceToScreen(const RECT& workspace) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    RECT screen = workspace;
    if (GetMonitorInfoW(MonitorFromRect(&workspace, MONITOR_DEFAULTTOPRIMARY), &info)) {
        OffsetRect(&screen, info.rcWork.left - info.rcMonitor.left,
                   info.rcWork.top - info.rcMonitor.top);
    }
    return screen;
}

}  // namespace kestrine
