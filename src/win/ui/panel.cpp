#include "ui/panel.h"

namespace kestrine {

namespace {
constexpr wchar_t kPanelClass[] = L"KestrinePanel";
}

void Panel::Create(HWND parent, int id, HWND notifyTarget, bool clipChildren) {
    notifyTarget_ = notifyTarget;
    RegisterClassOnce(kPanelClass, nullptr, nullptr, GetSysColorBrush(COLOR_BTNFACE));
    const DWORD style =
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (clipChildren ? WS_CLIPCHILDREN : 0);
    CreateInstance(WS_EX_CONTROLPARENT, kPanelClass, L"", style, 0, 0, 0, 0, parent,
                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        // Passed on unchanged: DefWindowProc would pass it to the parent as the panel's own,
        // and the window could not tell which list it was for.
        case WM_CONTEXTMENU:
            if (notifyTarget_ != nullptr) {
                return SendMessageW(notifyTarget_, message, wParam, lParam);
            }
            break;
        case WM_ERASEBKGND:
        case WM_PRINTCLIENT: {
            // Themed controls paint their background by asking the parent for it.
            RECT client{};
            GetClientRect(Handle(), &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        default:
            break;
    }
    return DefWindowProcW(Handle(), message, wParam, lParam);
}

}  // namespace kestrine
