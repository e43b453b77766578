#include "ui/enter_key.h"

#include <commctrl.h>

namespace kestrine {

namespace {

LRESULT CALLBACK EnterKeyProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR) {
    switch (message) {
        case WM_GETDLGCODE:
            if (wParam == VK_RETURN) {
                return DLGC_WANTALLKEYS | DefSubclassProc(control, message, wParam, lParam);
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(control, &EnterKeyProcedure, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void WantEnterKey(HWND control) {
    SetWindowSubclass(control, &EnterKeyProcedure, 1, 0);
}

}  // namespace kestrine
