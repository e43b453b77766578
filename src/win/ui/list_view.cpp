#include "ui/list_view.h"

#include <windows.h>
#include <commctrl.h>

#include <iterator>

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

}  // namespace kestrine
