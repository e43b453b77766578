#include "ui/list_key_subclass.h"

#include <commctrl.h>

namespace kestrine {

namespace {

// Windows' DefWindowProc makes WM_CONTEXTMENU of the Menu key; Wine's does not. The key is
// therefore turned into the message here and kept from the list's own procedure, so that
// neither system shows the menu twice.
LRESULT CALLBACK ListKeyProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR id, DWORD_PTR) {
    switch (message) {
        case WM_GETDLGCODE:
            if (wParam == VK_RETURN) {
                return DLGC_WANTALLKEYS | DefSubclassProc(list, message, wParam, lParam);
            }
            break;
        case WM_KEYDOWN:
            if (wParam == VK_APPS) {
                return 0;
            }
            break;
        case WM_KEYUP:
            if (wParam == VK_APPS) {
                SendMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list),
                             MAKELPARAM(-1, -1));
                return 0;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(list, &ListKeyProcedure, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace

void TakeListKeys(HWND list) {
    SetWindowSubclass(list, &ListKeyProcedure, 1, 0);
}

}  // namespace kestrine
