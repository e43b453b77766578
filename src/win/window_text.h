#pragma once

#include <windows.h>

#include <string>

namespace kestrine {

// The whole text of a window or control.
std::u16string WindowText(HWND window);

}  // namespace kestrine
