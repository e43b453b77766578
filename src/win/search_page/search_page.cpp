#include "search_page/search_page.h"

#include <memory>
#include <new>
#include <vector>

#include "browser/operation_enabling.h"
#include "browser/shell_paths.h"
#include "common/failure.h"
#include "common/text.h"
#include "exchange/answer_fetch.h"
#include "search/csv_export.h"
#include "search/extension_list.h"
#include "search/query_history.h"
#include "search/result_sort.h"
#include "settings/category_combo.h"
#include "ui/clipboard.h"
#include "ui/combo_box.h"
#include "ui/control_ids.h"
#include "ui/csv_file.h"
#include "ui/list_view.h"
#include "win_text.h"
#include "window_text.h"

namespace kestrine {

namespace {
constexpr char16_t kOpenFailure[] = u"Unable to open: ";
}

SearchPage::SearchPage(PageHost& host, Settings& settings, std::shared_ptr<PipeConnector> connector,
                       DesktopServices& desktop, const ValueFormatter& formatter,
                       IconIndexCache& icons)
    : host_(host),
      settings_(settings),
      connector_(std::move(connector)),
      desktop_(desktop),
      formatter_(formatter),
      ViewResults(SearchResults, formatter, icons, *this) {}

HWND SearchPage::CreateResultList(HWND parent, int id, unsigned dpi) {
    return ViewResults.Create(parent, id, dpi);
}

void SearchPage::AttachForm(const SearchForm& form) {
    form_ = form;
}

void SearchPage::ShowSettings() {
    SetComboItems(form_.cmbQuery, settings_.History.Entries());
    FillCategoryCombo();
    SetComboSelection(form_.cmbSearchIn, SelectionInRange(settings_.SearchIn, kSearchInChoices));
    SetComboSelection(form_.cmbFileTypes,
                      SelectionInRange(settings_.SearchType, settings_.CategoryList.Count()));
    SetComboSelection(form_.cmbSearchOn, SelectionInRange(settings_.SearchOn, kSearchOnChoices));
}

void SearchPage::StoreFormChoices() {
    settings_.SearchIn = ComboSelection(form_.cmbSearchIn);
    settings_.SearchType = ComboSelection(form_.cmbFileTypes);
    settings_.SearchOn = ComboSelection(form_.cmbSearchOn);
}

void SearchPage::FillCategoryCombo() {
    const ComboContent content = ::kestrine::FillCategoryCombo(settings_.CategoryList);
    SetComboItems(form_.cmbFileTypes, content.Items);
    SetComboSelection(form_.cmbFileTypes, content.Selection);
}

void SearchPage::ActionGoExecute() {
    const std::u16string typed = WindowText(form_.cmbQuery);
    if (Trim(typed).empty()) {
        desktop_.ShowMessage(host_.Owner(), u"Please enter a search string",
                             MessageIcon::Information);
        if (IsWindowVisible(form_.cmbQuery) && IsWindowEnabled(form_.cmbQuery)) {
            SetFocus(form_.cmbQuery);
        }
        return;
    }
    std::vector<std::u16string> history = settings_.History.Entries();
    RecordQueryInHistory(history, typed);
    settings_.History.Clear();
    for (std::u16string& entry : history) {
        settings_.History.Add(std::move(entry));
    }
    // Refilling the list empties the edit box: put the text back as typed.
    SetComboItems(form_.cmbQuery, settings_.History.Entries());
    SetWindowTextW(form_.cmbQuery, AsWide(typed));
    host_.SetStatusText(1, u"");
    RunSearch(0, settings_.RowLimit);
}

SearchQuery SearchPage::FormQuery(std::int32_t offset, std::int32_t limit) const {
    SearchQuery query;
    query.Limit = limit;
    query.Skip = offset;
    query.Mode = ComboSelection(form_.cmbSearchIn);
    query.Active = ComboSelection(form_.cmbSearchOn);
    const int categoryIndex = ComboSelection(form_.cmbFileTypes);
    const std::u16string category =
        categoryIndex >= 0 ? ComboItem(form_.cmbFileTypes, categoryIndex) : u"";
    query.Extensions = BuildExtensionList(settings_.CategoryList.Value(category));
    query.Query = Trim(WindowText(form_.cmbQuery));
    return query;
}

void SearchPage::RunSearch(std::int32_t offset, std::int32_t limit) {
    SearchResults.Clear();
    ViewResults.ShowRowCount();
    // The rows arrive in the server's order, whatever the arrow said about the last page.
    ShowSortArrow(ViewResults.Handle(), kUnsorted);
    // What the worker reads the answer into; the page takes it once the worker is done.
    struct Answer {
        SearchResultList rows;
        std::optional<std::u16string> failure;
    };
    const auto answer = std::make_shared<Answer>();
    {
        const HourglassCursor wait(desktop_);
        host_.RunExchange([answer, connector = connector_, servers = settings_.ServerName,
                           query = FormQuery(offset, limit)](const StatusSink& status) {
            try {
                FetchSearchPage(*connector, servers, query, answer->rows, status);
            } catch (const Failure& error) {
                answer->failure = error.Message();
            } catch (const std::bad_alloc&) {
                answer->failure = u"insufficient memory";
            }
        });
        SearchResults.TakeRows(std::move(answer->rows));
        if (!answer->failure) {
            ViewResults.ShowRowCount();
            ShowPageStatus(
                paging_.PageLoaded(offset, limit, settings_.RowLimit, SearchResults.Count()));
        }
    }
    const std::optional<std::u16string>& failure = answer->failure;
    // Shown with the normal cursor back. The list keeps its count of 0; the records read
    // before the failure stay, and so do the paging panels and offsets.
    if (failure) {
        desktop_.ShowMessage(host_.Owner(), u"Error while searching: " + *failure,
                             MessageIcon::Error);
    }
}

void SearchPage::ShowPageStatus(const std::u16string& countText) {
    host_.SetStatusText(1, countText);
    host_.SetStatusText(2, paging_.PreviousText());
    host_.SetStatusText(3, paging_.NextText());
}

void SearchPage::StatusBarClick(const std::array<int, 4>& panelWidths, int x) {
    if (const std::optional<std::int32_t> offset =
            PageOffsetForClick(panelWidths, x, paging_.PrevOffset(), paging_.NextOffset())) {
        RunSearch(*offset, settings_.RowLimit);
    }
}

void SearchPage::ActionSaveExecute() {
    if (SearchResults.Empty()) {
        desktop_.ShowMessage(host_.Owner(), u"There is nothing to save", MessageIcon::Information);
        return;
    }
    const std::optional<std::u16string> fileName =
        desktop_.ChooseSaveFile(host_.Owner(), u"CSV files (*.csv)|*.csv", u".csv", true);
    if (fileName) {
        SaveResultsCsv(*fileName);
    }
}

void SearchPage::SaveResultsCsv(const std::u16string& fileName) {
    std::optional<std::u16string> failure;
    try {
        FileByteSink file(fileName);
        WriteResultsCsv(SearchResults, UserListSeparator(), formatter_, file);
        file.Close();
    } catch (const Failure& error) {
        failure = error.Message();
    } catch (const std::bad_alloc&) {
        failure = u"insufficient memory";
    }
    if (failure) {
        desktop_.ShowMessage(host_.Owner(), u"Unable to save: " + *failure, MessageIcon::Error);
    }
}

void SearchPage::ViewResultsColumnClick(int column) {
    if (SearchResults.ColumnClick(column)) {
        ViewResults.ShowSorted(SearchResults.Tag());
    }
}

void SearchPage::ViewResultsDblClick() {
    // Execute runs the action's update first: without a selection nothing happens.
    host_.ExecuteAction(kActionOpen);
}

void SearchPage::ViewResultsContextMenu(LPARAM position) {
    host_.ShowOperationPopup(ViewResults.Handle(), position);
}

void SearchPage::ViewResultsKeyCommand(ListKeyCommand command) {
    switch (command) {
        case ListKeyCommand::CopyPath:
            host_.ExecuteAction(kActionCopyPath);
            break;
        case ListKeyCommand::CopyCells:
            if (const int row = ViewResults.SelectedRow(); row >= 0) {
                CopyToClipboardOrSay(desktop_, host_.Owner(), ViewResults.RowCellsText(row));
            }
            break;
        case ListKeyCommand::Activate:
            host_.ExecuteAction(kActionOpen);
            break;
        case ListKeyCommand::NextPane:
            SetFocus(form_.cmbQuery);
            break;
        default:
            break;
    }
}

void SearchPage::ViewResultsBeginDrag(int row) {
    const std::optional<SearchHitView> hit =
        row < 0 ? std::nullopt : SearchResults.Row(static_cast<std::size_t>(row));
    if (!hit) {
        return;
    }
    // Whatever takes the drop opens or copies it: the same rule as handing it to the shell.
    if (const std::u16string path = SearchItemPath(*hit); IsNetworkPath(path)) {
        desktop_.DragFileOut(path);
    }
}

void SearchPage::FocusResultList() {
    ViewResults.TakeFocus();
}

void SearchPage::Clear() {
    SearchResults.Clear();
    ViewResults.ShowRowCount();
}

std::optional<SearchHitView> SearchPage::SelectedHit() const {
    const int row = ViewResults.SelectedRow();
    return row < 0 ? std::nullopt : SearchResults.Row(static_cast<std::size_t>(row));
}

OperationsEnabled SearchPage::Enabled() const {
    return SearchOperationsEnabled(SelectedHit());
}

std::optional<std::u16string> SearchPage::SelectedItemPath() const {
    if (const std::optional<SearchHitView> hit = SelectedHit()) {
        return SearchItemPath(*hit);
    }
    return std::nullopt;
}

std::optional<std::u16string> SearchPage::SelectedFolderPath() const {
    if (const std::optional<SearchHitView> hit = SelectedHit()) {
        return SearchFolderPath(*hit);
    }
    return std::nullopt;
}

std::optional<std::u16string> SearchPage::MapDrivePath() const {
    return SelectedFolderPath();
}

std::u16string_view SearchPage::OpenFolderFailurePrefix() const {
    return kOpenFailure;
}

}  // namespace kestrine
