#pragma once

#include "ui/ui_handles.h"

namespace kestrine {

// Images of SmallImageList, 16 x 16.
enum SmallImage : int {
    kImageRedSquare = 0,
    kImageGreenSquare = 1,
    kImageGreySquare = 2,
    kImageFloppyDisk = 3,
    kImageChecklist = 4,
};

// The 16 x 16 images of tabs, actions and host rows.
UniqueImageList LoadSmallImageList();

// The Go button's 32 x 32 glyph, one image per button state (normal, hot, pressed, disabled,
// defaulted, stylus-hot); the disabled one is the grey copy.
UniqueImageList LoadGoGlyphImageList();

// The program icon (the dog's head) at the given size. The system shares and keeps it, so it
// stays valid for window classes that outlive one window.
HICON LoadProgramIcon(int size);

// The system's small-icon list; the system owns it, so it is never destroyed.
HIMAGELIST SystemSmallIconList();

}  // namespace kestrine
