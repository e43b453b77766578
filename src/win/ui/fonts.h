#pragma once

#include "ui/ui_handles.h"

namespace kestrine {

// The window's fonts: Tahoma 8 pt and its bold cut, sized for one DPI.
struct UiFonts {
    UniqueFont normal;
    UniqueFont bold;
};

UiFonts CreateUiFonts(unsigned dpi);

// Sets the font of a control without repainting twice.
void ApplyFont(HWND control, HFONT font);

}  // namespace kestrine
