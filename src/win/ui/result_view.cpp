#include "ui/result_view.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

namespace kestrine {

void SetDisplayText(NMLVDISPINFOW& request, std::u16string_view text) {
    if ((request.item.mask & LVIF_TEXT) == 0 || request.item.pszText == nullptr ||
        request.item.cchTextMax <= 0) {
        return;
    }
    const std::size_t room = static_cast<std::size_t>(request.item.cchTextMax) - 1;
    const std::size_t length = std::min(text.size(), room);
    std::copy_n(text.data(), length, reinterpret_cast<char16_t*>(request.item.pszText));
    request.item.pszText[length] = L'\0';
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

void RepaintRows(HWND list, int count) {
    if (count > 0) {
        SendMessageW(list, LVM_REDRAWITEMS, 0, count - 1);
    }
}

}  // namespace kestrine
