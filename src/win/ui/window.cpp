#include "ui/window.h"

#include "ui/guarded_call.h"
#include "win_text.h"

namespace kestrine {

void Window::RegisterClassOnce(const wchar_t* className, HICON icon, HICON smallIcon,
                               HBRUSH background) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, className, &existing)) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &Window::WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
}

HWND Window::CreateInstance(DWORD exStyle, const wchar_t* className, const wchar_t* caption,
                            DWORD style, int x, int y, int width, int height, HWND parent,
                            HMENU menuOrId) {
    return CreateWindowExW(exStyle, className, caption, style, x, y, width, height, parent,
                           menuOrId, GetModuleHandleW(nullptr), this);
}

void Window::ReportUnexpectedError(const std::u16string& message) {
    MessageBoxW(handle_, AsWide(message), nullptr, MB_OK | MB_ICONERROR);
}

LRESULT CALLBACK Window::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        self = static_cast<Window*>(create->lpCreateParams);
        self->handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    const LRESULT result =
        GuardedCall([self](const std::u16string& text) { self->ReportUnexpectedError(text); },
                    [&] { return self->HandleMessage(message, wParam, lParam); }, LRESULT{0});
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
    }
    return result;
}

}  // namespace kestrine
