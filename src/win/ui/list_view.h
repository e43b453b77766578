#pragma once

#include <windows.h>

#include <string>

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

}  // namespace kestrine
