#pragma once

#include <windows.h>
#include <commctrl.h>

#include "base/unique_handle.h"

// Owners of the window's GDI objects, menus, accelerator tables, icons and image lists.
namespace kestrine {

namespace detail {
inline void CloseFont(HFONT font) {
    DeleteObject(font);
}
inline void CloseBitmap(HBITMAP bitmap) {
    DeleteObject(bitmap);
}
inline void CloseImageList(HIMAGELIST list) {
    ImageList_Destroy(list);
}
inline void CloseMenu(HMENU menu) {
    DestroyMenu(menu);
}
inline void CloseAccelerators(HACCEL table) {
    DestroyAcceleratorTable(table);
}
inline void CloseIcon(HICON icon) {
    DestroyIcon(icon);
}
}  // namespace detail

using UniqueFont = UniqueHandle<HFONT, detail::CloseFont>;
using UniqueBitmap = UniqueHandle<HBITMAP, detail::CloseBitmap>;
using UniqueImageList = UniqueHandle<HIMAGELIST, detail::CloseImageList>;
using UniqueMenu = UniqueHandle<HMENU, detail::CloseMenu>;
using UniqueAccelerators = UniqueHandle<HACCEL, detail::CloseAccelerators>;
using UniqueIcon = UniqueHandle<HICON, detail::CloseIcon>;

}  // namespace kestrine
