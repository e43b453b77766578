#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace kestrine {

// Report-style list views as the window uses them: whole-row selection, read-only, sharing
// image lists they do not own. A virtual list asks its owner for each row (LVN_GETDISPINFO).
HWND CreateReportList(HWND parent, int id, bool virtualList);

struct ListColumn {
    const char16_t* caption;
    int width;  // at 96 DPI
};

void AddListColumn(HWND list, int index, const ListColumn& column, unsigned dpi);

// Sets the row count of a virtual list without repainting rows that did not change.
void SetVirtualRowCount(HWND list, int count);

// The first selected row, or -1.
int SelectedRow(HWND list);

// The caption of a column header.
std::u16string ListColumnCaption(HWND list, int index);

// Answers a display-info request's text: copied into the list's buffer, cut to fit
// cchTextMax with its NUL.
void CopyCellText(LVITEMW& cell, std::u16string_view text);

// Shows the sort arrow of a sort tag (|tag| the one-based column, its sign the direction)
// on that column's header and removes it from the others; tag 0 shows none.
void ShowSortArrow(HWND list, int tag);

// Repaints what the list shows: the visible rows, never each of a million.
void RepaintVisibleRows(HWND list);

// Shows a virtual list without rows while its rows are rebuilt, so that it asks for none
// that are being replaced, and gives it the new count when the rebuilding ends, however it
// ends.
class VirtualListDetach {
  public:
    // rowCount is asked at the end.
    VirtualListDetach(HWND list, std::function<std::size_t()> rowCount);
    ~VirtualListDetach();
    VirtualListDetach(const VirtualListDetach&) = delete;
    VirtualListDetach& operator=(const VirtualListDetach&) = delete;

  private:
    HWND list_;
    std::function<std::size_t()> rowCount_;
};

}  // namespace kestrine
