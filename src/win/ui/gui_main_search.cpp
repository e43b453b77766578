// The query form's handlers: Go, paging from the status bar, saving the results.
#include <windows.h>

#include <array>
#include <new>
#include <optional>
#include <vector>

#include "common/failure.h"
#include "common/inflate.h"
#include "common/text.h"
#include "protocol/answer_layouts.h"
#include "protocol/request_document.h"
#include "search/csv_export.h"
#include "search/extension_list.h"
#include "search/paging.h"
#include "search/query_history.h"
#include "ui/combo_box.h"
#include "ui/csv_file.h"
#include "ui/gui_main.h"
#include "ui/list_view.h"
#include "ui/result_view.h"
#include "win_text.h"
#include "window_text.h"

namespace kestrine {

void TKestrineClient::ActionGoExecute() {
    const std::u16string typed = WindowText(ui_.cmbQuery);
    if (Trim(typed).empty()) {
        desktop_.ShowMessage(Handle(), u"Please enter a search string", MessageIcon::Information);
        if (IsWindowVisible(ui_.cmbQuery) && IsWindowEnabled(ui_.cmbQuery)) {
            SetFocus(ui_.cmbQuery);
        }
        return;
    }
    std::vector<std::u16string> history = ComboItems(ui_.cmbQuery);
    RecordQueryInHistory(history, typed);
    // Refilling the list empties the edit box: put the text back as typed.
    SetComboItems(ui_.cmbQuery, history);
    SetWindowTextW(ui_.cmbQuery, AsWide(typed));
    SetStatusText(1, u"");
    RunSearch(0, RowLimit);
}

void TKestrineClient::RunSearch(std::int32_t offset, std::int32_t limit) {
    SetVirtualRowCount(ui_.ViewResults, 0);
    SearchResults.clear();
    // The rows arrive in the server's order, whatever the arrow said about the last page.
    ShowSortArrow(ui_.ViewResults, kUnsorted);
    std::optional<std::u16string> failure;
    {
        HourglassCursor wait(desktop_);
        try {
            const int active = ComboSelection(ui_.cmbSearchOn);
            const int mode = ComboSelection(ui_.cmbSearchIn);
            const int categoryIndex = ComboSelection(ui_.cmbFileTypes);
            const std::u16string category =
                categoryIndex >= 0 ? ComboItem(ui_.cmbFileTypes, categoryIndex) : u"";
            const std::u16string extensions = BuildExtensionList(CategoryList.Value(category));
            const std::u16string query = Trim(WindowText(ui_.cmbQuery));

            Bytes answer =
                Exchange(BuildSearchRequest(limit, offset, mode, active, query, extensions));
            InflateInPlace(answer);
            std::size_t count = 0;
            ReadSearchResults(answer, [&](TFileSearchItem&& item) {
                SearchResults.push_back(std::move(item));
                ++count;
            });

            SetVirtualRowCount(ui_.ViewResults, static_cast<int>(SearchResults.size()));
            const PageStatus page = DescribePage(offset, limit, RowLimit, count);
            SetStatusText(1, page.CountText);
            SetStatusText(2, page.PreviousText);
            SetStatusText(3, page.NextText);
            PrevOffset = page.PrevOffset;
            NextOffset = page.NextOffset;
        } catch (const Failure& error) {
            failure = error.Message();
        } catch (const std::bad_alloc&) {
            failure = u"insufficient memory";
        }
    }
    // Shown with the normal cursor back. The list keeps its count of 0; the records read
    // before the failure stay, and so do the paging panels and offsets.
    if (failure) {
        desktop_.ShowMessage(Handle(), u"Error while searching: " + *failure, MessageIcon::Error);
    }
}

void TKestrineClient::StatusBarClick() {
    const std::vector<int> widths = ui_.statusBar.PanelWidths();
    if (widths.size() < 4) {
        return;
    }
    POINT at = desktop_.CursorPosition();
    ScreenToClient(ui_.statusBar.Handle(), &at);
    const std::array<int, 4> zones{widths[0], widths[1], widths[2], widths[3]};
    if (const std::optional<std::int32_t> offset =
            PageOffsetForClick(zones, at.x, PrevOffset, NextOffset)) {
        RunSearch(*offset, RowLimit);
    }
}

void TKestrineClient::ActionSaveExecute() {
    if (SearchResults.empty()) {
        desktop_.ShowMessage(Handle(), u"There is nothing to save", MessageIcon::Information);
        return;
    }
    const std::optional<std::u16string> fileName =
        desktop_.ChooseSaveFile(Handle(), u"CSV files (*.csv)|*.csv", u".csv", true);
    if (fileName) {
        SaveResultsCsv(*fileName);
    }
}

void TKestrineClient::SaveResultsCsv(const std::u16string& fileName) {
    try {
        FileByteSink file(fileName);
        WriteResultsCsv(SearchResults, UserListSeparator(), formatter_, file);
        file.Close();
    } catch (const Failure& error) {
        desktop_.ShowMessage(Handle(), u"Unable to save: " + error.Message(), MessageIcon::Error);
    } catch (const std::bad_alloc&) {
        desktop_.ShowMessage(Handle(), u"Unable to save: insufficient memory", MessageIcon::Error);
    }
}

}  // namespace kestrine
