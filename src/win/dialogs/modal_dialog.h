#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "dialogs/control_placement.h"
#include "dialogs/dialog_template.h"

namespace kestrine {

// Base of our modal dialogs. The in-memory template makes only the frame; the dialog builds
// its controls in OnInitDialog from a placement table. Every message reaches the handlers
// through the guarded call: a failure is reported and the dialog carries on, except one while
// building it, which closes it with IDABORT after the report.
class ModalDialog {
  public:
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;
    virtual ~ModalDialog() = default;

  protected:
    ModalDialog() = default;

    // Runs the dialog over owner until it ends: the result given to End, or -1 when the
    // dialog could not be shown.
    INT_PTR RunModal(HWND owner, const DialogTemplate& frame);

    HWND Handle() const { return handle_; }
    HWND Owner() const { return owner_; }
    void End(INT_PTR result) { EndDialog(handle_, result); }

    // Creates a control as the table row describes it, with font; throws a Failure when it
    // cannot be created.
    HWND CreateControl(const ControlPlacement& placement, HFONT font);
    void CreateControls(std::span<const ControlPlacement> placements, HFONT font);

    // A box (left, top, width, height) in design units as a rectangle in the dialog's client
    // area. The default takes dialog units, as a dialog template does.
    virtual RECT ToClient(const RECT& box) const;

    // WM_INITDIALOG: builds and fills the dialog. True lets the dialog manager put the focus
    // on the first tab stop; false means the handler has set it.
    virtual bool OnInitDialog() = 0;
    // WM_COMMAND: true when handled. The default ends the dialog on IDCANCEL (Cancel, Escape
    // and the close box).
    virtual bool OnCommand(int id, int code, HWND control);
    // Tells the user of a failure in a handler: by default an error message box over the
    // dialog.
    virtual void ReportFailure(const std::u16string& message);

  private:
    static INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    HWND owner_ = nullptr;
};

}  // namespace kestrine
