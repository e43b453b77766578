#include "ui/status_bar.h"

#include <windows.h>
#include <commctrl.h>

#include "ui/dpi.h"
#include "win_text.h"

namespace kestrine {

void StatusBar::Create(HWND parent, int id) {
    // No size grip: the panels keep their fixed widths from the left edge.
    handle_ =
        CreateWindowExW(0, STATUSCLASSNAMEW, L"",
                        WS_CHILD | WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0,
                        0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        GetModuleHandleW(nullptr), nullptr);
}

void StatusBar::SetPanelWidths(std::span<const int> widths, unsigned dpi) {
    std::vector<int> rightEdges;
    int edge = 0;
    for (const int width : widths) {
        edge += ScaleToDpi(width, dpi);
        rightEdges.push_back(edge);
    }
    SendMessageW(handle_, SB_SETPARTS, rightEdges.size(),
                 reinterpret_cast<LPARAM>(rightEdges.data()));
}

std::vector<int> StatusBar::PanelWidths() const {
    const auto count = static_cast<int>(SendMessageW(handle_, SB_GETPARTS, 0, 0));
    std::vector<int> rightEdges(static_cast<size_t>(count > 0 ? count : 0));
    SendMessageW(handle_, SB_GETPARTS, rightEdges.size(),
                 reinterpret_cast<LPARAM>(rightEdges.data()));
    std::vector<int> widths;
    int left = 0;
    for (const int right : rightEdges) {
        widths.push_back(right - left);
        left = right;
    }
    return widths;
}

void StatusBar::SetText(int panel, const std::u16string& text) {
    SendMessageW(handle_, SB_SETTEXTW, static_cast<WPARAM>(panel),
                 reinterpret_cast<LPARAM>(AsWide(text)));
}

std::u16string StatusBar::Text(int panel) const {
    const auto length = LOWORD(SendMessageW(handle_, SB_GETTEXTLENGTHW, panel, 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(handle_, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return FromWide(text);
}

}  // namespace kestrine
