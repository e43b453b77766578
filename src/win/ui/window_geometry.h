#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

namespace kestrine {

// The outer size of window for a client area of the given size, with the frame, caption and
// menu bar the window has now.
SIZE WindowSizeForClient(HWND window, int clientWidth, int clientHeight);

// Gives window its size and centres it over owner while the owner is on screen (shown and
// not minimised); otherwise in the work area of the owner's monitor, or of the window's own
// without an owner. Either way it is then moved into that work area as far as it fits, so a
// dialog never opens off screen.
void CentreWindowOver(HWND window, HWND owner, SIZE size);
// The same, keeping the window's present size.
void CentreWindowOver(HWND window, HWND owner);

// Gives window its size and centres it on the whole of its monitor.
void CentreWindowOnMonitor(HWND window, SIZE size);

// The extent of text drawn in font on window's device context; nothing when it could not be
// measured.
std::optional<SIZE> MeasureText(HWND window, HFONT font, std::u16string_view text);
// A control's own text in its own font.
std::optional<SIZE> MeasureText(HWND control);

}  // namespace kestrine
