#pragma once

#include "ui/window.h"

namespace kestrine {

// A borderless container (tab pages and the panels of the layout). Its children's
// notifications go on to the window that handles them, since Win32 sends them to the
// immediate parent only.
class Panel : public Window {
  public:
    // A panel holding a group box must not clip its children: a group box leaves its inside
    // to be painted by its parent.
    void Create(HWND parent, int id, HWND notifyTarget, bool clipChildren = true);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    HWND notifyTarget_ = nullptr;
};

}  // namespace kestrine
