#include "browser_page/folder_list_view.h"

#include "browser/folder_listing.h"
#include "common/tab_separated.h"
#include "ui/list_key_subclass.h"
#include "ui/list_view.h"

namespace kestrine {

FolderListView::FolderListView(const std::vector<TFileBrowserItem>& listing,
                               const ValueFormatter& formatter, IconIndexCache& icons,
                               FolderListDelegate& delegate)
    : listing_(listing), formatter_(formatter), icons_(icons), delegate_(delegate) {}

FolderListView::~FolderListView() {
    if (list_ != nullptr && IsWindow(list_)) {
        SetVirtualRowCount(list_, 0);
    }
}

HWND FolderListView::Create(HWND parent, int id, unsigned dpi) {
    list_ = CreateReportList(parent, id, true);
    AddListColumn(list_, 0, {u"Name", 320}, dpi);
    AddListColumn(list_, 1, {u"Size", 80}, dpi);
    // A list view shows no window text: it is the name screen readers give the list.
    SetWindowTextW(list_, L"Files and folders");
    TakeListKeys(list_);
    ReflectFrom(list_);
    return list_;
}

int FolderListView::SelectedRow() const {
    return kestrine::SelectedRow(list_);
}

int FolderListView::RowAt(POINT screenPoint) const {
    ScreenToClient(list_, &screenPoint);
    LVHITTESTINFO hit{};
    hit.pt = screenPoint;
    return static_cast<int>(SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

std::u16string FolderListView::RowCellsText(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= listing_.size()) {
        return {};
    }
    const TFileBrowserItem& entry = listing_[static_cast<std::size_t>(row)];
    std::u16string size;
    AppendContentSizeText(entry, formatter_, size);
    const std::u16string cells[] = {entry.Name, size};
    return TabSeparatedLine(cells);
}

LRESULT FolderListView::OnNotify(const NMHDR& header) {
    switch (header.code) {
        case LVN_GETDISPINFOW:
            ViewContentData(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
            break;
        case NM_DBLCLK:
            delegate_.ViewContentDblClick();
            break;
        case LVN_KEYDOWN:
            if (const ListKeyCommand command =
                    ListKeyCommandOf(reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey);
                command != ListKeyCommand::None) {
                delegate_.ViewContentKeyCommand(command);
            }
            break;
        case LVN_BEGINDRAG:
            delegate_.ViewContentBeginDrag(reinterpret_cast<const NMLISTVIEW&>(header).iItem);
            break;
        default:
            break;
    }
    return 0;
}

void FolderListView::OnContextMenu(LPARAM position) {
    delegate_.ViewContentContextMenu(position);
}

void FolderListView::ViewContentData(NMLVDISPINFOW& request) {
    LVITEMW& cell = request.item;
    if (cell.iItem < 0 || static_cast<std::size_t>(cell.iItem) >= listing_.size()) {
        return;
    }
    const TFileBrowserItem& entry = listing_[static_cast<std::size_t>(cell.iItem)];
    if ((cell.mask & LVIF_TEXT) != 0) {
        cellText_.clear();
        if (cell.iSubItem == 0) {
            cellText_ = entry.Name;
        } else if (cell.iSubItem == 1) {
            AppendContentSizeText(entry, formatter_, cellText_);
        }
        CopyCellText(cell, cellText_);
    }
    if ((cell.mask & LVIF_IMAGE) != 0) {
        cell.iImage = icons_.IndexFor(entry.Name, ContentIconAttributes(entry));
    }
}

}  // namespace kestrine
