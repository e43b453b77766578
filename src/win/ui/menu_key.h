#pragma once

#include <windows.h>

namespace kestrine {

// Makes the Menu key (the "application" key beside the right Ctrl) open control's context
// menu, as Shift+F10 does: the control gets one WM_CONTEXTMENU from the keyboard (position
// -1) when the key is released, which reaches its parent like any other.
void OpenContextMenuOnMenuKey(HWND control);

}  // namespace kestrine
