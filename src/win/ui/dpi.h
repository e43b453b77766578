#pragma once

#include <windows.h>

namespace kestrine {

// Layout values are given for 96 DPI and scaled to the window's DPI.
constexpr unsigned kDesignDpi = 96;

// The window's DPI; GetDpiForWindow is looked up at run time because Windows 7 lacks it.
unsigned WindowDpi(HWND window);

inline int ScaleToDpi(int value, unsigned dpi) {
    return MulDiv(value, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

}  // namespace kestrine
