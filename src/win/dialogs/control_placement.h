#pragma once

#include <windows.h>

namespace kestrine {

// One control of a dialog built in code. A dialog describes its controls in a table of these,
// in creation order, which is also the tab order; the box is in the dialog's design units.
struct ControlPlacement {
    const wchar_t* className;  // a window class name, e.g. L"BUTTON" or WC_LISTVIEWW
    DWORD style;               // WS_CHILD and WS_VISIBLE are added
    DWORD exStyle;
    RECT box;  // left, top, width, height
    int id;
    const wchar_t* text;
};

}  // namespace kestrine
