#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "ui/ui_handles.h"

namespace kestrine {

// The action images as menu items show them: a 32-bit bitmap with alpha per image of an
// image list, made once and kept for as long as the menus that show them.
class MenuImages {
  public:
    MenuImages() = default;
    explicit MenuImages(HIMAGELIST images);

    // nullptr for no image (-1) or one the list did not hold.
    HBITMAP Bitmap(int image) const;

  private:
    std::vector<UniqueBitmap> bitmaps_;
};

}  // namespace kestrine
