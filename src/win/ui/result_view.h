#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string_view>

namespace kestrine {

// Mechanics of the virtual result list; what the rows hold is the window's business.

// Copies text into a display-info request's buffer, cut to fit cchTextMax with its NUL.
void SetDisplayText(NMLVDISPINFOW& request, std::u16string_view text);

// Shows the sort arrow of a sort tag (|tag| the one-based column, its sign the direction)
// on that column's header and removes it from the others; tag 0 shows none.
void ShowSortArrow(HWND list, int tag);

// Repaints rows 0 to count - 1.
void RepaintRows(HWND list, int count);

}  // namespace kestrine
