#pragma once

#include <windows.h>

#include <vector>

#include "settings/screen_placement.h"

namespace kestrine {

// The displays attached now, as the layout rules see them.
std::vector<MonitorArea> AttachedMonitors();

ScreenRect ToScreenRect(const RECT& rect);
RECT ToRect(const ScreenRect& rect);

// GetWindowPlacement gives a top-level window's normal rectangle in workspace coordinates,
// which are shifted by the taskbar when it sits at the top or left of the monitor; this turns
// such a rectangle into screen coordinates.
RECT WorkspaceToScreen(const RECT& workspace);

}  // namespace kestrine
