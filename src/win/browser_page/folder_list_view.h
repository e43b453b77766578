#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "protocol/records.h"
#include "search/icon_index_cache.h"
#include "search/value_formatter.h"
#include "ui/list_keys.h"
#include "ui/reflected_control.h"

namespace kestrine {

class FolderListDelegate {
  public:
    virtual void ViewContentDblClick() = 0;
    virtual void ViewContentContextMenu(LPARAM position) = 0;
    virtual void ViewContentKeyCommand(ListKeyCommand command) = 0;
    virtual void ViewContentBeginDrag(int row) = 0;

  protected:
    ~FolderListDelegate() = default;
};

// The virtual folder listing (ViewContent): shows the entries of a listing, answers the
// list's requests for cell texts and icons itself, and reports double clicks, context-menu
// requests, its keys and drags to its delegate.
class FolderListView : public ReflectedControl {
  public:
    FolderListView(const std::vector<TFileBrowserItem>& listing, const ValueFormatter& formatter,
                   IconIndexCache& icons, FolderListDelegate& delegate);
    ~FolderListView();

    HWND Create(HWND parent, int id, unsigned dpi);
    HWND Handle() const { return list_; }

    // The first selected row, or -1.
    int SelectedRow() const;
    // The row under a point in screen coordinates, or -1.
    int RowAt(POINT screenPoint) const;
    // The cells of a row as the list shows them, tab-separated.
    std::u16string RowCellsText(int row) const;

    LRESULT OnNotify(const NMHDR& header) override;
    void OnContextMenu(LPARAM position) override;

  private:
    void ViewContentData(NMLVDISPINFOW& request);

    const std::vector<TFileBrowserItem>& listing_;
    const ValueFormatter& formatter_;
    IconIndexCache& icons_;
    FolderListDelegate& delegate_;
    HWND list_ = nullptr;
    std::u16string cellText_;  // reused for each cell
};

}  // namespace kestrine
