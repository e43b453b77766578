#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "browser_page/folder_list_view.h"
#include "browser_page/host_list_view.h"
#include "exchange/pipe_connector.h"
#include "lists/string_list.h"
#include "protocol/records.h"
#include "search/icon_index_cache.h"
#include "search/value_formatter.h"
#include "settings/settings.h"
#include "ui/desktop_services.h"
#include "ui/page_host.h"

namespace kestrine {

// The network browser page: the host list, one host's folder listing with its parent map,
// and the path line. CurrentHostId, CurrentFolderId, CurrentHostName and CurrentPath always
// name what the listing shows: a request that fails before its answer arrives leaves them
// (and the listing) as they were.
class BrowserPage : public OperationsPage, private HostListDelegate, private FolderListDelegate {
  public:
    BrowserPage(PageHost& host, const Settings& settings, std::shared_ptr<PipeConnector> connector,
                DesktopServices& desktop, const ValueFormatter& formatter, IconIndexCache& icons);

    HWND CreateHostList(HWND parent, int id, unsigned dpi, HIMAGELIST images);
    HWND CreateFolderList(HWND parent, int id, unsigned dpi);
    void AttachPathLine(HWND pathLine);

    // Switching to the page: the host list fetched anew.
    void LoadHosts();
    // Before the window goes: no rows left to paint.
    void Clear();

    OperationsEnabled Enabled() const override;
    std::optional<std::u16string> SelectedItemPath() const override;
    std::optional<std::u16string> SelectedFolderPath() const override;
    std::optional<std::u16string> MapDrivePath() const override;
    std::u16string_view OpenFolderFailurePrefix() const override;

  private:
    void ViewHostSelectItem(int item, bool selected) override;
    void ViewContentDblClick() override;
    void ViewContentContextMenu(LPARAM position) override;
    void ViewContentKeyCommand(ListKeyCommand command) override;
    void ViewContentBeginDrag(int row) override;
    // Opens the folder of a row, ".." included; a file row or no row does nothing.
    void OpenFolderRow(int row);
    // False when the exchange failed and the view still shows what it showed before.
    bool DisplayHostFiles(std::int32_t hostId, std::int32_t folderId);
    void SetCurrentPath(const std::u16string& path);
    const TFileBrowserItem* SelectedEntry() const;
    void ShowFailure(std::u16string_view prefix, const std::u16string& message);

    PageHost& host_;
    const Settings& settings_;
    std::shared_ptr<PipeConnector> connector_;  // shared with the exchange's worker
    DesktopServices& desktop_;
    HWND pathLine_ = nullptr;
    std::vector<TFileBrowserItem> FolderListing;
    StringList ParentMap;
    std::int32_t CurrentHostId = -1;
    std::int32_t CurrentFolderId = -1;
    std::u16string CurrentHostName;
    std::u16string CurrentPath;
    HostListView ViewHost;
    FolderListView ViewContent;
};

}  // namespace kestrine
