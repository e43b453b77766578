// The result list: rows of SearchResults, sorting by column, double-click to open.
#include <windows.h>
#include <commctrl.h>

#include <utility>
#include <vector>

#include "search/result_row.h"
#include "search/result_sort.h"
#include "ui/control_ids.h"
#include "ui/gui_main.h"
#include "ui/result_view.h"

namespace kestrine {

void TKestrineClient::ViewResultsData(NMLVDISPINFOW& request) {
    const int row = request.item.iItem;
    // A paint may still ask for a row of the page before.
    if (row < 0 || static_cast<std::size_t>(row) >= SearchResults.size()) {
        return;
    }
    const TFileSearchItem& item = SearchResults[static_cast<std::size_t>(row)];
    if ((request.item.mask & LVIF_TEXT) != 0) {
        cellText_.clear();
        AppendResultCellText(item, request.item.iSubItem, formatter_, cellText_);
        SetDisplayText(request, cellText_);
    }
    if ((request.item.mask & LVIF_IMAGE) != 0 && request.item.iSubItem == 0) {
        request.item.iImage = IconIndex(item.FileName, item.Attributes);
    }
}

void TKestrineClient::ViewResultsColumnClick(int column) {
    if (SearchResults.empty()) {
        return;
    }
    ResultsSortTag = NextSortTag(ResultsSortTag, column);
    const std::vector<std::uint32_t> order = SortedOrder(SearchResults, ResultsSortTag);
    std::vector<TFileSearchItem> sorted;
    sorted.reserve(SearchResults.size());
    for (const std::uint32_t index : order) {
        sorted.push_back(std::move(SearchResults[index]));
    }
    SearchResults = std::move(sorted);
    ShowSortArrow(ui_.ViewResults, ResultsSortTag);
    RepaintRows(ui_.ViewResults, static_cast<int>(SearchResults.size()));
}

void TKestrineClient::ViewResultsDblClick() {
    // Execute runs the action's update first: without a selection nothing happens.
    actions_.Execute(kActionOpen);
}

}  // namespace kestrine
