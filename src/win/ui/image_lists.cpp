#include "ui/image_lists.h"

#include <shellapi.h>

#include "ui/resource_ids.h"

namespace kestrine {
namespace {

// The bitmaps are drawn on magenta, which the image list turns into the mask.
constexpr COLORREF kTransparent = RGB(255, 0, 255);

UniqueBitmap LoadBitmapResource(int id) {
    return UniqueBitmap(static_cast<HBITMAP>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

// An image list of `size`-pixel images cut from a horizontal strip.
UniqueImageList ImageListFromStrip(int bitmapId, int size, int count) {
    UniqueImageList list(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, count, 0));
    const UniqueBitmap strip = LoadBitmapResource(bitmapId);
    if (list && strip) {
        ImageList_AddMasked(list.get(), strip.get(), kTransparent);
    }
    return list;
}

}  // namespace

UniqueImageList LoadSmallImageList() {
    return ImageListFromStrip(KESTRINE_IDB_SMALL_IMAGES, 16, 5);
}

UniqueImageList LoadGoGlyphImageList() {
    // The strip holds the normal glyph, then the grey one.
    const UniqueImageList glyphs = ImageListFromStrip(KESTRINE_IDB_GO_GLYPH, 32, 2);
    UniqueImageList states(ImageList_Create(32, 32, ILC_COLOR24 | ILC_MASK, 6, 0));
    if (!glyphs || !states) {
        return states;
    }
    // A button's image list holds, in order: normal, hot, pressed, disabled, defaulted and
    // stylus-hot.
    constexpr int kStates = 6;
    constexpr int kDisabled = 3;
    for (int state = 0; state < kStates; ++state) {
        const int source = state == kDisabled ? 1 : 0;
        const UniqueIcon icon(ImageList_GetIcon(glyphs.get(), source, ILD_NORMAL));
        ImageList_AddIcon(states.get(), icon.get());
    }
    return states;
}

HICON LoadProgramIcon(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                         MAKEINTRESOURCEW(KESTRINE_IDI_PROGRAM), IMAGE_ICON, size,
                                         size, LR_SHARED));
}

HIMAGELIST SystemSmallIconList() {
    SHFILEINFOW info{};
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

}  // namespace kestrine
