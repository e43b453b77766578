#pragma once

#include <windows.h>

#include <string>

namespace kestrine {

// Base of our own window classes: routes messages to HandleMessage through the guarded call,
// so a failure in a handler is reported and the window carries on.
class Window {
  public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window() = default;

    HWND Handle() const { return handle_; }

  protected:
    // Registers the class once per process; the class's window procedure is the shared one.
    static void RegisterClassOnce(const wchar_t* className, HICON icon, HICON smallIcon,
                                  HBRUSH background);

    // Creates the window with `this` as the instance behind it.
    HWND CreateInstance(DWORD exStyle, const wchar_t* className, const wchar_t* caption,
                        DWORD style, int x, int y, int width, int height, HWND parent,
                        HMENU menuOrId);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // Tells the user of a failure a handler let escape; the window stays usable. The default
    // is an error message box over the window.
    virtual void ReportUnexpectedError(const std::u16string& message);

  private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);

    HWND handle_ = nullptr;
};

}  // namespace kestrine
