#include "browser_page/host_list_view.h"

#include "browser_page/host_rows.h"
#include "ui/list_view.h"

namespace kestrine {

HostListView::HostListView(const ValueFormatter& formatter, HostListDelegate& delegate)
    : formatter_(formatter), delegate_(delegate) {}

HWND HostListView::Create(HWND parent, int id, unsigned dpi, HIMAGELIST images) {
    list_ = CreateReportList(parent, id, false);
    SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    AddListColumn(list_, 0, {u"Name", 100}, dpi);
    AddListColumn(list_, 1, {u"Updated", 85}, dpi);
    // A list view shows no window text: it is the name screen readers give the list.
    SetWindowTextW(list_, L"Computers");
    ReflectFrom(list_);
    return list_;
}

void HostListView::Clear() {
    ListView_DeleteAllItems(list_);
}

void HostListView::Append(const HostRecord& host) {
    AppendHostRow(list_, host, formatter_);
}

std::int32_t HostListView::RowId(int row) const {
    return HostRowId(list_, row);
}

std::u16string HostListView::RowCaption(int row) const {
    return HostRowCaption(list_, row);
}

LRESULT HostListView::OnNotify(const NMHDR& header) {
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) != 0 &&
            ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) != 0) {
            delegate_.ViewHostSelectItem(change.iItem, (change.uNewState & LVIS_SELECTED) != 0);
        }
    }
    return 0;
}

}  // namespace kestrine
