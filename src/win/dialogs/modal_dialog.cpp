#include "dialogs/modal_dialog.h"

#include "common/failure.h"
#include "ui/fonts.h"
#include "ui/guarded_call.h"
#include "win_text.h"

namespace kestrine {

INT_PTR ModalDialog::RunModal(HWND owner, const DialogTemplate& frame) {
    owner_ = owner;
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), frame.Get(), owner,
                                   &ModalDialog::DialogProcedure, reinterpret_cast<LPARAM>(this));
}

HWND ModalDialog::CreateControl(const ControlPlacement& placement, HFONT font) {
    const RECT rect = ToClient(placement.box);
    const HWND control =
        CreateWindowExW(placement.exStyle, placement.className, placement.text,
                        WS_CHILD | WS_VISIBLE | placement.style, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, handle_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)),
                        GetModuleHandleW(nullptr), nullptr);
    if (control == nullptr) {
        throw Failure(u"The dialog could not be created.");
    }
    ApplyFont(control, font);
    return control;
}

void ModalDialog::CreateControls(std::span<const ControlPlacement> placements, HFONT font) {
    for (const ControlPlacement& placement : placements) {
        CreateControl(placement, font);
    }
}

RECT ModalDialog::ToClient(const RECT& box) const {
    // Each value on its own, as the dialog manager converts a template item.
    RECT units = box;
    MapDialogRect(handle_, &units);
    return RECT{units.left, units.top, units.left + units.right, units.top + units.bottom};
}

bool ModalDialog::OnCommand(int id, int, HWND) {
    if (id == IDCANCEL) {
        End(IDCANCEL);
        return true;
    }
    return false;
}

void ModalDialog::ReportFailure(const std::u16string& message) {
    MessageBoxW(handle_, AsWide(message), nullptr, MB_OK | MB_ICONERROR);
}

INT_PTR ModalDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto report = [this](const std::u16string& text) { ReportFailure(text); };
    switch (message) {
        case WM_INITDIALOG: {
            bool built = false;
            const INT_PTR result = GuardedCall(
                report,
                [&] {
                    const bool focusFirst = OnInitDialog();
                    built = true;
                    return static_cast<INT_PTR>(focusFirst ? TRUE : FALSE);
                },
                static_cast<INT_PTR>(FALSE));
            if (!built) {
                End(IDABORT);  // a half-built dialog is of no use
            }
            return result;
        }
        case WM_COMMAND:
            return GuardedCall(
                report,
                [&] {
                    return static_cast<INT_PTR>(
                        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))
                            ? TRUE
                            : FALSE);
                },
                static_cast<INT_PTR>(TRUE));
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK ModalDialog::DialogProcedure(HWND dialog, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<ModalDialog*>(lParam);
        self->handle_ = dialog;
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    }
    if (self == nullptr) {
        return FALSE;  // the messages before WM_INITDIALOG: the dialog manager's own
    }
    const INT_PTR result = self->OnMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(dialog, DWLP_USER, 0);
        self->handle_ = nullptr;
    }
    return result;
}

}  // namespace kestrine
