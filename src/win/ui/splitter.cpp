#include "ui/splitter.h"

#include <windows.h>
#include <windowsx.h>

namespace kestrine {

namespace {
constexpr wchar_t kSplitterClass[] = L"KestrineSplitter";
}

void Splitter::Create(HWND parent, int id, Orientation orientation,
                      std::function<void(int)> onMove) {
    orientation_ = orientation;
    onMove_ = std::move(onMove);
    RegisterClassOnce(kSplitterClass, nullptr, nullptr, GetSysColorBrush(COLOR_BTNFACE));
    CreateInstance(0, kSplitterClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

int Splitter::AlongAxis(POINT point) const {
    return orientation_ == Orientation::Horizontal ? point.y : point.x;
}

LRESULT Splitter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETCURSOR:
            SetCursor(LoadCursorW(
                nullptr, orientation_ == Orientation::Horizontal ? IDC_SIZENS : IDC_SIZEWE));
            return TRUE;
        case WM_LBUTTONDOWN:
            grabOffset_ = AlongAxis(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            dragging_ = true;
            SetCapture(Handle());
            return 0;
        case WM_MOUSEMOVE:
            if (dragging_ && onMove_) {
                POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                MapWindowPoints(Handle(), GetParent(Handle()), &point, 1);
                onMove_(AlongAxis(point) - grabOffset_);
            }
            return 0;
        case WM_LBUTTONUP:
            if (dragging_) {
                ReleaseCapture();
            }
            return 0;
        case WM_CAPTURECHANGED:
            dragging_ = false;
            return 0;
        default:
            break;
    }
    return DefWindowProcW(Handle(), message, wParam, lParam);
}

}  // namespace kestrine
