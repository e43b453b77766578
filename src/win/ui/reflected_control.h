#pragma once

#include <windows.h>

namespace kestrine {

// A control object that answers for its own window: Win32 sends a control's notifications
// and context-menu requests to its parent, and the main window hands them back here through
// ReflectNotify and ReflectContextMenu, so no handler of the window needs to know what a
// control does with them.
class ReflectedControl {
  public:
    ReflectedControl() = default;
    ReflectedControl(const ReflectedControl&) = delete;
    ReflectedControl& operator=(const ReflectedControl&) = delete;

    // A WM_NOTIFY this control sent; the result goes back to the control.
    virtual LRESULT OnNotify(const NMHDR& header) = 0;
    // WM_CONTEXTMENU for this control (position -1 when it came from the keyboard).
    virtual void OnContextMenu(LPARAM position) { (void)position; }

  protected:
    ~ReflectedControl();

    // Makes control's notifications reach this object, until the window or this object goes.
    void ReflectFrom(HWND control);

  private:
    HWND control_ = nullptr;
};

// Hands a notification to the control object that sent it; false when none answers for it.
bool ReflectNotify(const NMHDR& header, LRESULT& result);

// Hands a context-menu request to the control object of source; false when none answers.
bool ReflectContextMenu(HWND source, LPARAM position);

}  // namespace kestrine
