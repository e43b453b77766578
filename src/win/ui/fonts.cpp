#include "ui/fonts.h"

namespace kestrine {
namespace {

UniqueFont CreateTahoma(unsigned dpi, int weight) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(8, static_cast<int>(dpi), 72);
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
    return UniqueFont(CreateFontIndirectW(&font));
}

}  // namespace

UiFonts CreateUiFonts(unsigned dpi) {
    return UiFonts{CreateTahoma(dpi, FW_NORMAL), CreateTahoma(dpi, FW_BOLD)};
}

void ApplyFont(HWND control, HFONT font) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

}  // namespace kestrine
