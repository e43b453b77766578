// The network browser page: host list, folder listing and the path line.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "browser/current_path.h"
#include "browser/folder_listing.h"
#include "browser/parent_map.h"
#include "common/failure.h"
#include "common/inflate.h"
#include "protocol/answer_layouts.h"
#include "protocol/request_document.h"
#include "ui/browser_host_rows.h"
#include "ui/browser_redraw_batch.h"
#include "ui/gui_main.h"
#include "ui/list_view.h"

namespace kestrine {

namespace {

constexpr char16_t kHostsFailure[] = u"Error while retrieving computers: ";
constexpr char16_t kFilesFailure[] = u"Error while retrieving files & folders: ";

// Copies a cell's text into the list's buffer, cut to the room it offers.
void CopyCellText(const std::u16string& text, LVITEMW& item) {
    if (item.pszText == nullptr || item.cchTextMax <= 0) {
        return;
    }
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax) - 1);
    std::copy_n(text.data(), length, reinterpret_cast<char16_t*>(item.pszText));
    item.pszText[length] = L'\0';
}

// Gives a virtual list its rows back once a listing has been rebuilt, however the rebuilding
// ended: until then it shows no rows, so it asks for none that are being replaced.
class ContentViewDetach {
  public:
    ContentViewDetach(HWND view, const std::vector<TFileBrowserItem>& listing)
        : view_(view), listing_(listing) {
        SetVirtualRowCount(view_, 0);
    }
    ~ContentViewDetach() { SetVirtualRowCount(view_, static_cast<int>(listing_.size())); }
    ContentViewDetach(const ContentViewDetach&) = delete;
    ContentViewDetach& operator=(const ContentViewDetach&) = delete;

  private:
    HWND view_;
    const std::vector<TFileBrowserItem>& listing_;
};

}  // namespace

void TKestrineClient::PagesChange() {
    if (ActivePage() == 1) {
        LoadHosts();
    }
}

void TKestrineClient::LoadHosts() {
    std::optional<std::u16string> failure;
    {
        // The batch ends before any message box, so the list behind it shows its rows.
        const RedrawBatch batch(ui_.ViewHost);
        ListView_DeleteAllItems(ui_.ViewHost);
        try {
            Bytes answer = Exchange(BuildBrowseRequest(-1, -1));
            InflateInPlace(answer);
            ReadHostList(answer, [this](HostRecord&& host) {
                AppendHostRow(ui_.ViewHost, host, Formatter());
            });
        } catch (const Failure& error) {
            failure = error.Message();
        }
    }
    if (failure) {
        desktop_.ShowMessage(Handle(), kHostsFailure + *failure, MessageIcon::Error);
    }
}

void TKestrineClient::ViewHostSelectItem(int item, bool selected) {
    if (!selected || item < 0) {
        return;
    }
    const std::int32_t previousHostId = CurrentHostId;
    const std::int32_t previousFolderId = CurrentFolderId;
    std::u16string previousHostName = CurrentHostName;
    CurrentHostId = HostRowId(ui_.ViewHost, item);
    CurrentHostName = HostRowCaption(ui_.ViewHost, item);
    CurrentFolderId = -1;
    if (!DisplayHostFiles(CurrentHostId, -1)) {
        // The view still shows the previous host's folder: keep the state that names it, so
        // that opening a folder or a file there goes where the rows came from.
        CurrentHostId = previousHostId;
        CurrentFolderId = previousFolderId;
        CurrentHostName = std::move(previousHostName);
        return;
    }
    SetCurrentPath(CurrentHostName);
}

bool TKestrineClient::DisplayHostFiles(std::int32_t hostId, std::int32_t folderId) {
    Bytes answer;
    try {
        answer = Exchange(BuildBrowseRequest(hostId, folderId));
    } catch (const Failure& error) {
        desktop_.ShowMessage(Handle(), kFilesFailure + error.Message(), MessageIcon::Error);
        return false;
    }
    std::optional<std::u16string> failure;
    {
        const ContentViewDetach detach(ui_.ViewContent, FolderListing);
        FolderListing.clear();
        try {
            InflateInPlace(answer);
            if (folderId == -1) {
                SetCurrentPath(CurrentHostName);
            }
            ReadFolderListing(
                answer, folderId != -1, [this](std::u16string&& path) { SetCurrentPath(path); },
                [this](TFileBrowserItem&& item) { FolderListing.push_back(std::move(item)); });
            FinishFolderListing(FolderListing, folderId, ParentMap);
            SetStatusText(1, FileCountText(FolderListing.size()));
        } catch (const Failure& error) {
            failure = error.Message();
        }
    }
    if (failure) {
        desktop_.ShowMessage(Handle(), kFilesFailure + *failure, MessageIcon::Error);
    }
    return true;
}

void TKestrineClient::SetCurrentPath(const std::u16string& path) {
    SetPathText(PathLineText(path));
    CurrentPath = CurrentPathOf(path);
}

void TKestrineClient::ViewContentData(NMLVDISPINFOW& request) {
    LVITEMW& cell = request.item;
    if (cell.iItem < 0 || static_cast<std::size_t>(cell.iItem) >= FolderListing.size()) {
        return;
    }
    const TFileBrowserItem& entry = FolderListing[static_cast<std::size_t>(cell.iItem)];
    if ((cell.mask & LVIF_TEXT) != 0) {
        std::u16string text;
        if (cell.iSubItem == 0) {
            text = entry.Name;
        } else if (cell.iSubItem == 1) {
            AppendContentSizeText(entry, Formatter(), text);
        }
        CopyCellText(text, cell);
    }
    if ((cell.mask & LVIF_IMAGE) != 0) {
        cell.iImage =
            IconIndex(entry.Name, static_cast<std::int32_t>(ContentIconAttributes(entry)));
    }
}

void TKestrineClient::ViewContentDblClick() {
    POINT point = desktop_.CursorPosition();
    ScreenToClient(ui_.ViewContent, &point);
    LVHITTESTINFO hit{};
    hit.pt = point;
    const int row = static_cast<int>(
        SendMessageW(ui_.ViewContent, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (row < 0 || static_cast<std::size_t>(row) >= FolderListing.size()) {
        return;
    }
    const TFileBrowserItem& entry = FolderListing[static_cast<std::size_t>(row)];
    if (!entry.IsFolder) {
        return;
    }
    const std::int32_t folderId = entry.Id;  // the listing is rebuilt below
    RecordParent(ParentMap, folderId, CurrentFolderId);
    const std::int32_t previousFolderId = CurrentFolderId;
    CurrentFolderId = folderId;
    if (!DisplayHostFiles(CurrentHostId, CurrentFolderId)) {
        // The previous folder is still on display; a folder opened from it next must be
        // recorded with it as its parent.
        CurrentFolderId = previousFolderId;
    }
}

}  // namespace kestrine
