#pragma once

#include <windows.h>

#include "settings/design_dpi.h"

namespace kestrine {

// The window's DPI; GetDpiForWindow is looked up at run time because Windows 7 lacks it.
unsigned WindowDpi(HWND window);

inline int ScaleToDpi(int value, unsigned dpi) {
    return ScaleFromDesignDpi(value, dpi);
}

}  // namespace kestrine
