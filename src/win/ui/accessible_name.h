#pragma once

#include <windows.h>

#include <string>

namespace kestrine {

// Names a control for screen readers when its window text cannot be its name, as with a
// status bar, whose window text is its first panel. The control then answers WM_GETOBJECT
// for its client area with the system's own accessible object for it, under this name; MSAA
// clients and UI Automation (through its MSAA bridge) read the name from there. Lasts as long
// as the control; once per control.
void SetAccessibleName(HWND control, std::u16string name);

}  // namespace kestrine
