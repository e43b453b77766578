#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "exchange/pipe_connector.h"
#include "protocol/request_document.h"
#include "search/icon_index_cache.h"
#include "search/paging.h"
#include "search/result_list.h"
#include "search/value_formatter.h"
#include "search_page/result_list_view.h"
#include "settings/settings.h"
#include "ui/desktop_services.h"
#include "ui/page_host.h"

namespace kestrine {

// The controls of the query form, created and placed by the window.
struct SearchForm {
    HWND cmbQuery = nullptr;
    HWND cmbSearchIn = nullptr;
    HWND cmbFileTypes = nullptr;
    HWND cmbSearchOn = nullptr;
};

// The search page: the query form, the page of results with its sort state, paging, and
// Save Results. The query history, the categories and the page size are the window's
// settings, which the form shows.
class SearchPage : public OperationsPage, private ResultListDelegate {
  public:
    SearchPage(PageHost& host, Settings& settings, std::shared_ptr<PipeConnector> connector,
               DesktopServices& desktop, const ValueFormatter& formatter, IconIndexCache& icons);

    HWND CreateResultList(HWND parent, int id, unsigned dpi);
    void AttachForm(const SearchForm& form);

    // The settings into the form: history, categories and the three choices.
    void ShowSettings();
    // The form's choices into the settings, before they are saved.
    void StoreFormChoices();
    // The category combo rebuilt from the settings' categories.
    void FillCategoryCombo();

    // Go: records the query in the history and loads the first page.
    void ActionGoExecute();
    // One page of results at offset.
    void RunSearch(std::int32_t offset, std::int32_t limit);
    // A click on the status bar at x, given the widths of its first four panels.
    void StatusBarClick(const std::array<int, 4>& panelWidths, int x);
    void ActionSaveExecute();
    void SaveResultsCsv(const std::u16string& fileName);
    void ViewResultsColumnClick(int column) override;

    // Before the window goes: no rows left to paint.
    void Clear();
    // F6 from the query box: the focus to the result list, on a selected row.
    void FocusResultList();

    OperationsEnabled Enabled() const override;
    std::optional<std::u16string> SelectedItemPath() const override;
    std::optional<std::u16string> SelectedFolderPath() const override;
    std::optional<std::u16string> MapDrivePath() const override;
    std::u16string_view OpenFolderFailurePrefix() const override;

  private:
    void ViewResultsDblClick() override;
    void ViewResultsContextMenu(LPARAM position) override;
    void ViewResultsKeyCommand(ListKeyCommand command) override;
    void ViewResultsBeginDrag(int row) override;
    std::optional<SearchHitView> SelectedHit() const;
    SearchQuery FormQuery(std::int32_t offset, std::int32_t limit) const;
    void ShowPageStatus(const std::u16string& countText);

    PageHost& host_;
    Settings& settings_;
    std::shared_ptr<PipeConnector> connector_;  // shared with the exchange's worker
    DesktopServices& desktop_;
    const ValueFormatter& formatter_;
    SearchForm form_;
    SearchResultList SearchResults;
    SearchPaging paging_;  // PrevOffset and NextOffset
    ResultListView ViewResults;
};

}  // namespace kestrine
