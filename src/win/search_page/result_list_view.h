#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "search/icon_index_cache.h"
#include "search/result_list.h"
#include "search/value_formatter.h"
#include "ui/list_keys.h"
#include "ui/reflected_control.h"

namespace kestrine {

// What the result list reports of the user's doings.
class ResultListDelegate {
  public:
    virtual void ViewResultsColumnClick(int column) = 0;
    virtual void ViewResultsDblClick() = 0;
    virtual void ViewResultsContextMenu(LPARAM position) = 0;
    virtual void ViewResultsKeyCommand(ListKeyCommand command) = 0;
    virtual void ViewResultsBeginDrag(int row) = 0;

  protected:
    ~ResultListDelegate() = default;
};

// The virtual result list (ViewResults): shows the rows of a SearchResultList in the list's
// row order, answers the list's requests for cell texts and icons itself, and reports header
// clicks, double clicks, context-menu requests, its keys and drags to its delegate.
class ResultListView : public ReflectedControl {
  public:
    ResultListView(const SearchResultList& rows, const ValueFormatter& formatter,
                   IconIndexCache& icons, ResultListDelegate& delegate);
    ~ResultListView();

    HWND Create(HWND parent, int id, unsigned dpi);
    HWND Handle() const { return list_; }

    // After the rows changed: the new count, without repainting what did not change.
    void ShowRowCount();
    // After a sort: the arrow of the sort state and the visible rows repainted.
    void ShowSorted(int sortTag);
    // The first selected row, or -1.
    int SelectedRow() const;
    // The cells of a row as the list shows them, tab-separated.
    std::u16string RowCellsText(int row) const;
    // The keyboard focus, on a selected row: the first one when none was selected.
    void TakeFocus();

    LRESULT OnNotify(const NMHDR& header) override;
    void OnContextMenu(LPARAM position) override;

  private:
    void ViewResultsData(NMLVDISPINFOW& request);

    const SearchResultList& rows_;
    const ValueFormatter& formatter_;
    IconIndexCache& icons_;
    ResultListDelegate& delegate_;
    HWND list_ = nullptr;
    std::u16string cellText_;  // reused for each cell
};

}  // namespace kestrine
