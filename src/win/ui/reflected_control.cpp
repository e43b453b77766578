#include "ui/reflected_control.h"

namespace kestrine {

namespace {

// The window property that points from a control's window to its object. A property rather
// than GWLP_USERDATA, which belongs to the control's own window class.
constexpr wchar_t kControlProperty[] = L"Kestrine.ReflectedControl";

ReflectedControl* ControlOf(HWND window) {
    return window == nullptr ? nullptr
                             : static_cast<ReflectedControl*>(GetPropW(window, kControlProperty));
}

}  // namespace

ReflectedControl::~ReflectedControl() {
    if (control_ != nullptr && IsWindow(control_)) {
        RemovePropW(control_, kControlProperty);
    }
}

void ReflectedControl::ReflectFrom(HWND control) {
    control_ = control;
    SetPropW(control, kControlProperty, this);
}

bool ReflectNotify(const NMHDR& header, LRESULT& result) {
    ReflectedControl* control = ControlOf(header.hwndFrom);
    if (control == nullptr) {
        return false;
    }
    result = control->OnNotify(header);
    return true;
}

bool ReflectContextMenu(HWND source, LPARAM position) {
    ReflectedControl* control = ControlOf(source);
    if (control == nullptr) {
        return false;
    }
    control->OnContextMenu(position);
    return true;
}

}  // namespace kestrine
