#include "search_page/result_list_view.h"

#include <iterator>
#include <optional>
#include <vector>

#include "common/tab_separated.h"
#include "search/result_row.h"
#include "ui/list_key_subclass.h"
#include "ui/list_view.h"

namespace kestrine {

ResultListView::ResultListView(const SearchResultList& rows, const ValueFormatter& formatter,
                               IconIndexCache& icons, ResultListDelegate& delegate)
    : rows_(rows), formatter_(formatter), icons_(icons), delegate_(delegate) {}

ResultListView::~ResultListView() {
    if (list_ != nullptr && IsWindow(list_)) {
        SetVirtualRowCount(list_, 0);
    }
}

HWND ResultListView::Create(HWND parent, int id, unsigned dpi) {
    list_ = CreateReportList(parent, id, true);
    static constexpr ListColumn kColumns[] = {
        {u"File Name", 230}, {u"Folder", 170},       {u"Computer", 80},
        {u"File Size", 60},  {u"Date Modified", 90},
    };
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        AddListColumn(list_, i, kColumns[i], dpi);
    }
    // A list view shows no window text: it is the name screen readers give the list.
    SetWindowTextW(list_, L"Search results");
    TakeListKeys(list_);
    ReflectFrom(list_);
    return list_;
}

void ResultListView::ShowRowCount() {
    SetVirtualRowCount(list_, static_cast<int>(rows_.Count()));
}

void ResultListView::ShowSorted(int sortTag) {
    ShowSortArrow(list_, sortTag);
    RepaintVisibleRows(list_);
}

int ResultListView::SelectedRow() const {
    return kestrine::SelectedRow(list_);
}

std::u16string ResultListView::RowCellsText(int row) const {
    const std::optional<SearchHitView> item =
        row < 0 ? std::nullopt : rows_.Row(static_cast<std::size_t>(row));
    if (!item) {
        return {};
    }
    std::vector<std::u16string> cells(kResultColumnCount);
    for (int column = 0; column < kResultColumnCount; ++column) {
        AppendResultCellText(*item, column, formatter_, cells[static_cast<std::size_t>(column)]);
    }
    return TabSeparatedLine(cells);
}

void ResultListView::TakeFocus() {
    if (SelectedRow() < 0 && rows_.Count() > 0) {
        ListView_SetItemState(list_, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(list_, 0, FALSE);
    }
    SetFocus(list_);
}

LRESULT ResultListView::OnNotify(const NMHDR& header) {
    switch (header.code) {
        case LVN_GETDISPINFOW:
            ViewResultsData(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
            break;
        case LVN_COLUMNCLICK:
            delegate_.ViewResultsColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
            break;
        case NM_DBLCLK:
            delegate_.ViewResultsDblClick();
            break;
        case LVN_KEYDOWN:
            if (const ListKeyCommand command =
                    ListKeyCommandOf(reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey);
                command != ListKeyCommand::None) {
                delegate_.ViewResultsKeyCommand(command);
            }
            break;
        case LVN_BEGINDRAG:
            delegate_.ViewResultsBeginDrag(reinterpret_cast<const NMLISTVIEW&>(header).iItem);
            break;
        default:
            break;
    }
    return 0;
}

void ResultListView::OnContextMenu(LPARAM position) {
    delegate_.ViewResultsContextMenu(position);
}

void ResultListView::ViewResultsData(NMLVDISPINFOW& request) {
    LVITEMW& cell = request.item;
    // A paint may still ask for a row of the page before.
    const std::optional<SearchHitView> item =
        cell.iItem < 0 ? std::nullopt : rows_.Row(static_cast<std::size_t>(cell.iItem));
    if (!item) {
        return;
    }
    if ((cell.mask & LVIF_TEXT) != 0) {
        cellText_.clear();
        AppendResultCellText(*item, cell.iSubItem, formatter_, cellText_);
        CopyCellText(cell, cellText_);
    }
    if ((cell.mask & LVIF_IMAGE) != 0 && cell.iSubItem == 0) {
        cell.iImage = icons_.IndexFor(item->FileName, static_cast<std::uint32_t>(item->Attributes));
    }
}

}  // namespace kestrine
