#pragma once

#include <windows.h>

namespace kestrine {

// Suspends a control's painting while many rows change, and repaints it once when the batch
// ends, however it ends.
class RedrawBatch {
  public:
    explicit RedrawBatch(HWND control) : control_(control) {
        SendMessageW(control_, WM_SETREDRAW, FALSE, 0);
    }
    ~RedrawBatch() {
        SendMessageW(control_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(control_, nullptr, nullptr,
                     RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    RedrawBatch(const RedrawBatch&) = delete;
    RedrawBatch& operator=(const RedrawBatch&) = delete;

  private:
    HWND control_;
};

}  // namespace kestrine
