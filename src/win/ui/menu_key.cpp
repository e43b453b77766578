#include "ui/menu_key.h"

#include <commctrl.h>

namespace kestrine {

namespace {

// Windows' DefWindowProc makes WM_CONTEXTMENU of the Menu key; Wine's does not. The key is
// therefore turned into the message here and kept from the control's own procedure, so that
// neither system shows the menu twice.
LRESULT CALLBACK MenuKeyProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR id, DWORD_PTR) {
    switch (message) {
        case WM_KEYDOWN:
            if (wParam == VK_APPS) {
                return 0;
            }
            break;
        case WM_KEYUP:
            if (wParam == VK_APPS) {
                SendMessageW(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control),
                             MAKELPARAM(-1, -1));
                return 0;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(control, &MenuKeyProcedure, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void OpenContextMenuOnMenuKey(HWND control) {
    SetWindowSubclass(control, &MenuKeyProcedure, 1, 0);
}

}  // namespace kestrine
