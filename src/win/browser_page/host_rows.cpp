#include "browser_page/host_rows.h"

#include <commctrl.h>

#include <vector>

#include "ui/image_lists.h"
#include "win_text.h"

namespace kestrine {

void AppendHostRow(HWND list, const HostRecord& host, const ValueFormatter& formatter) {
    const int row = ListView_GetItemCount(list);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(AsWide(host.Name));
    item.lParam = static_cast<LPARAM>(host.Id);
    item.iImage = host.Active == 0 ? kImageRedSquare : kImageGreenSquare;
    const int inserted =
        static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (inserted < 0) {
        return;
    }
    std::u16string updated;
    formatter.AppendTimestamp(host.Updated, updated);
    LVITEMW sub{};
    sub.iSubItem = 1;
    sub.pszText = const_cast<wchar_t*>(AsWide(updated));
    SendMessageW(list, LVM_SETITEMTEXTW, inserted, reinterpret_cast<LPARAM>(&sub));
}

std::int32_t HostRowId(HWND list, int row) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) {
        return -1;
    }
    return static_cast<std::int32_t>(item.lParam);
}

std::u16string HostRowCaption(HWND list, int row) {
    // The list says how many characters it copied, not how long the text is: grow the
    // buffer until the text fits with room to spare.
    std::vector<wchar_t> buffer(256);
    while (true) {
        LVITEMW item{};
        item.iSubItem = 0;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const auto copied = static_cast<std::size_t>(
            SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
        if (copied + 1 < buffer.size() || buffer.size() >= (std::size_t{1} << 20)) {
            return FromWide(std::wstring_view(item.pszText, copied));
        }
        buffer.resize(buffer.size() * 4);
    }
}

}  // namespace kestrine
