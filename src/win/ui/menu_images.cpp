#include "ui/menu_images.h"

#include <cstdint>

namespace kestrine {
namespace {

struct Canvas {
    UniqueBitmap bitmap;
    std::uint32_t* pixels = nullptr;  // top-down rows, 0xAARRGGBB
};

Canvas CreateCanvas(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Canvas canvas;
    canvas.bitmap =
        UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    canvas.pixels = canvas.bitmap ? static_cast<std::uint32_t*>(bits) : nullptr;
    return canvas;
}

// Draws the image on a background of one colour.
bool DrawOn(HDC dc, const Canvas& canvas, HIMAGELIST images, int image, DWORD background) {
    const HGDIOBJ previous = SelectObject(dc, canvas.bitmap.get());
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(images, &width, &height);
    PatBlt(dc, 0, 0, width, height, background);
    const BOOL drawn = ImageList_Draw(images, image, dc, 0, 0, ILD_NORMAL);
    SelectObject(dc, previous);
    GdiFlush();
    return drawn != FALSE;
}

// The image list's images are opaque colours over a mask. Drawn once on black and once on
// white, a pixel that stays the same belongs to the image; one that follows the background is
// transparent, and alpha says so.
UniqueBitmap MenuBitmap(HIMAGELIST images, int image) {
    int width = 0;
    int height = 0;
    if (!ImageList_GetIconSize(images, &width, &height) || width <= 0 || height <= 0) {
        return UniqueBitmap();
    }
    Canvas onBlack = CreateCanvas(width, height);
    const Canvas onWhite = CreateCanvas(width, height);
    const HDC dc = CreateCompatibleDC(nullptr);
    if (onBlack.pixels == nullptr || onWhite.pixels == nullptr || dc == nullptr) {
        if (dc != nullptr) {
            DeleteDC(dc);
        }
        return UniqueBitmap();
    }
    const bool drawn = DrawOn(dc, onBlack, images, image, BLACKNESS) &&
                       DrawOn(dc, onWhite, images, image, WHITENESS);
    DeleteDC(dc);
    if (!drawn) {
        return UniqueBitmap();
    }
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t colour = onBlack.pixels[i] & 0x00FFFFFFu;
        const bool opaque = colour == (onWhite.pixels[i] & 0x00FFFFFFu);
        // Premultiplied: a transparent pixel is all zero.
        onBlack.pixels[i] = opaque ? (0xFF000000u | colour) : 0u;
    }
    return std::move(onBlack.bitmap);
}

}  // namespace

MenuImages::MenuImages(HIMAGELIST images) {
    const int count = images != nullptr ? ImageList_GetImageCount(images) : 0;
    for (int image = 0; image < count; ++image) {
        bitmaps_.push_back(MenuBitmap(images, image));
    }
}

HBITMAP MenuImages::Bitmap(int image) const {
    if (image < 0 || static_cast<std::size_t>(image) >= bitmaps_.size()) {
        return nullptr;
    }
    return bitmaps_[static_cast<std::size_t>(image)].get();
}

}  // namespace kestrine
