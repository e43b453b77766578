#pragma once

#include <windows.h>

#include <string>

namespace kestrine {

// Names a control for screen readers when its window text cannot be its name, as with a
// status bar, whose window text is its first panel. The name is an annotation of the
// control's accessible object (IAccPropServices), which both MSAA and UI Automation clients
// read; it is cleared when the control is destroyed. Needs COM on the calling thread; false
// when the system keeps no annotations.
bool SetAccessibleName(HWND control, const std::u16string& name);

}  // namespace kestrine
