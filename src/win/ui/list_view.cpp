#include "ui/list_view.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <limits>
#include <utility>

#include "ui/dpi.h"
#include "win_text.h"

namespace kestrine {

HWND CreateReportList(HWND parent, int id, bool virtualList) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT |
                  LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_SHAREIMAGELISTS;
    if (virtualList) {
        style |= LVS_OWNERDATA;
    }
    const HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, 0, 0, 0, 0,
                                      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                      GetModuleHandleW(nullptr), nullptr);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    return list;
}

void AddListColumn(HWND list, int index, const ListColumn& column, unsigned dpi) {
    std::u16string caption = column.caption;
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    info.pszText = const_cast<wchar_t*>(AsWide(caption));
    info.cx = ScaleToDpi(column.width, dpi);
    info.iSubItem = index;
    SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&info));
}

void SetVirtualRowCount(HWND list, int count) {
    SendMessageW(list, LVM_SETITEMCOUNT, count, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    InvalidateRect(list, nullptr, FALSE);
}

int SelectedRow(HWND list) {
    return static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

std::u16string ListColumnCaption(HWND list, int index) {
    wchar_t buffer[256] = {};
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT;
    info.pszText = buffer;
    info.cchTextMax = static_cast<int>(std::size(buffer));
    if (!SendMessageW(list, LVM_GETCOLUMNW, index, reinterpret_cast<LPARAM>(&info))) {
        return {};
    }
    return FromWide(buffer);
}

void CopyCellText(LVITEMW& cell, std::u16string_view text) {
    if ((cell.mask & LVIF_TEXT) == 0 || cell.pszText == nullptr || cell.cchTextMax <= 0) {
        return;
    }
    const std::size_t room = static_cast<std::size_t>(cell.cchTextMax) - 1;
    const std::size_t length = std::min(text.size(), room);
    std::copy_n(text.data(), length, reinterpret_cast<char16_t*>(cell.pszText));
    cell.pszText[length] = L'\0';
}

void ShowSortArrow(HWND list, int tag) {
    const auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    if (header == nullptr) {
        return;
    }
    const int sortedColumn = (tag < 0 ? -tag : tag) - 1;
    const auto count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int column = 0; column < count; ++column) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        if (!SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item))) {
            continue;
        }
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (column == sortedColumn) {
            item.fmt |= tag > 0 ? HDF_SORTUP : HDF_SORTDOWN;
        }
        SendMessageW(header, HDM_SETITEMW, column, reinterpret_cast<LPARAM>(&item));
    }
}

void RepaintVisibleRows(HWND list) {
    // A virtual list asks again for each row it paints; invalidating is enough.
    InvalidateRect(list, nullptr, FALSE);
}

VirtualListDetach::VirtualListDetach(HWND list, std::function<std::size_t()> rowCount)
    : list_(list), rowCount_(std::move(rowCount)) {
    SetVirtualRowCount(list_, 0);
}

VirtualListDetach::~VirtualListDetach() {
    const std::size_t count = rowCount_();
    SetVirtualRowCount(list_,
                       static_cast<int>(std::min<std::size_t>(
                           count, static_cast<std::size_t>(std::numeric_limits<int>::max()))));
}

}  // namespace kestrine
