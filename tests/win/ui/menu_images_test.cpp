#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gui/recording_desktop_services.h"
#include "settings/memory_settings_store.h"
#include "ui/gui_main.h"
#include "ui/image_lists.h"
#include "win_text.h"

namespace kestrine {
namespace {

struct MenuItem {
    std::u16string text;
    HBITMAP bitmap = nullptr;
};

std::vector<MenuItem> ItemsOf(HMENU menu) {
    std::vector<MenuItem> items;
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        wchar_t text[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING | MIIM_BITMAP;
        info.dwTypeData = text;
        info.cch = static_cast<UINT>(std::size(text));
        EXPECT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info));
        items.push_back(MenuItem{FromWide(text), info.hbmpItem});
    }
    return items;
}

// The pixels of a 32-bit bitmap, top row first; empty when it is not one.
std::vector<std::uint32_t> PixelsOf(HBITMAP bitmap, int& width) {
    DIBSECTION section{};
    if (GetObjectW(bitmap, sizeof(section), &section) != sizeof(section) ||
        section.dsBm.bmBitsPixel != 32 || section.dsBm.bmBits == nullptr) {
        return {};
    }
    width = section.dsBm.bmWidth;
    const auto* bits = static_cast<const std::uint32_t*>(section.dsBm.bmBits);
    std::vector<std::uint32_t> pixels(bits, bits + width * section.dsBm.bmHeight);
    return pixels;
}

// The colour the image list draws at a point of an image.
COLORREF ImageColour(int image, int x, int y) {
    const UniqueImageList images = LoadSmallImageList();
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const UniqueBitmap canvas(CreateCompatibleBitmap(screen, 16, 16));
    const HGDIOBJ previous = SelectObject(dc, canvas.get());
    ImageList_Draw(images.get(), image, dc, 0, 0, ILD_NORMAL);
    const COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, previous);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return colour;
}

TEST(MenuImagesTest, TheFileMenuShowsTheSaveAndPreferencesImages) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                     ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
    MemorySettingsStore store;
    store.Seed(u"ServerName", StoredValue::Text(u"SRV"));
    testing::RecordingDesktopServices desktop;
    auto window = std::make_unique<TKestrineClient>(store, desktop);
    ASSERT_NE(window->Create(), nullptr);

    const std::vector<MenuItem> items = ItemsOf(GetSubMenu(GetMenu(window->Handle()), 0));
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].text, u"&Save Results ...\tCtrl+S");
    EXPECT_EQ(items[1].text, u"&Preferences\tCtrl+P");
    EXPECT_EQ(items[2].bitmap, nullptr) << "the separator";
    EXPECT_EQ(items[3].text, u"&Exit");
    EXPECT_EQ(items[3].bitmap, nullptr) << "an action without an image shows none";

    // Image 3 (the floppy disk) and 4 (the checklist): opaque where the image is, clear in
    // the corner its mask leaves out.
    const std::pair<std::size_t, int> imaged[] = {{0, 3}, {1, 4}};
    for (const auto& [position, image] : imaged) {
        ASSERT_NE(items[position].bitmap, nullptr) << image;
        int width = 0;
        const std::vector<std::uint32_t> pixels = PixelsOf(items[position].bitmap, width);
        ASSERT_EQ(pixels.size(), 16u * 16u) << image;
        EXPECT_EQ(pixels[0], 0u) << image << ": the corner is transparent";
        const std::uint32_t centre = pixels[8 * width + 8];
        EXPECT_EQ(centre >> 24, 0xFFu) << image << ": the middle is opaque";
        const COLORREF expected = ImageColour(image, 8, 8);
        EXPECT_EQ(centre & 0xFFFFFFu, (static_cast<std::uint32_t>(GetRValue(expected)) << 16) |
                                          (static_cast<std::uint32_t>(GetGValue(expected)) << 8) |
                                          GetBValue(expected))
            << image;
    }
    EXPECT_NE(items[0].bitmap, items[1].bitmap);
}

}  // namespace
}  // namespace kestrine
