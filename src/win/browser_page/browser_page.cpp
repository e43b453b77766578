#include "browser_page/browser_page.h"

#include <memory>
#include <new>
#include <vector>

#include "browser/current_path.h"
#include "browser/folder_listing.h"
#include "browser/operation_enabling.h"
#include "browser/parent_map.h"
#include "browser/shell_paths.h"
#include "common/failure.h"
#include "exchange/answer_fetch.h"
#include "ui/clipboard.h"
#include "ui/control_ids.h"
#include "ui/list_view.h"
#include "ui/redraw_batch.h"
#include "win_text.h"

namespace kestrine {

namespace {
constexpr char16_t kHostsFailure[] = u"Error while retrieving computers: ";
constexpr char16_t kFilesFailure[] = u"Error while retrieving files & folders: ";
constexpr char16_t kOpenCurrentFolderFailure[] = u"Unable to open current folder: ";
constexpr char16_t kInsufficientMemory[] = u"insufficient memory";
}  // namespace

BrowserPage::BrowserPage(PageHost& host, const Settings& settings,
                         std::shared_ptr<PipeConnector> connector, DesktopServices& desktop,
                         const ValueFormatter& formatter, IconIndexCache& icons)
    : host_(host),
      settings_(settings),
      connector_(std::move(connector)),
      desktop_(desktop),
      ViewHost(formatter, *this),
      ViewContent(FolderListing, formatter, icons, *this) {}

HWND BrowserPage::CreateHostList(HWND parent, int id, unsigned dpi, HIMAGELIST images) {
    return ViewHost.Create(parent, id, dpi, images);
}

HWND BrowserPage::CreateFolderList(HWND parent, int id, unsigned dpi) {
    return ViewContent.Create(parent, id, dpi);
}

void BrowserPage::AttachPathLine(HWND pathLine) {
    pathLine_ = pathLine;
    SetWindowTextW(pathLine_, AsWide(std::u16string(kInitialPathLine)));
}

void BrowserPage::ShowFailure(std::u16string_view prefix, const std::u16string& message) {
    desktop_.ShowMessage(host_.Owner(), std::u16string(prefix) + message, MessageIcon::Error);
}

namespace {

// What a worker reads an answer into, for the page to take once the worker is done.
struct HostListAnswer {
    std::vector<HostRecord> hosts;
    std::optional<std::u16string> failure;
};

struct FolderAnswer {
    bool arrived = false;               // the exchange brought an answer
    std::vector<std::u16string> paths;  // in the order read
    std::vector<TFileBrowserItem> items;
    std::optional<std::u16string> failure;
};

// Runs a fetch, keeping its failure text for the page.
template <typename Fetch>
void KeepFailure(std::optional<std::u16string>& failure, Fetch&& fetch) {
    try {
        fetch();
    } catch (const Failure& error) {
        failure = error.Message();
    } catch (const std::bad_alloc&) {
        failure = kInsufficientMemory;
    }
}

}  // namespace

void BrowserPage::LoadHosts() {
    const auto answer = std::make_shared<HostListAnswer>();
    {
        // The batch ends before any message box, so the list behind it shows its rows.
        const RedrawBatch batch(ViewHost.Handle());
        ViewHost.Clear();
        host_.RunExchange([answer, connector = connector_,
                           servers = settings_.ServerName](const StatusSink& status) {
            KeepFailure(answer->failure, [&] {
                FetchHostList(
                    *connector, servers,
                    [&hosts = answer->hosts](HostRecord&& host) {
                        hosts.push_back(std::move(host));
                    },
                    status);
            });
        });
        KeepFailure(answer->failure, [&] {
            for (const HostRecord& record : answer->hosts) {
                ViewHost.Append(record);
            }
        });
    }
    if (answer->failure) {
        ShowFailure(kHostsFailure, *answer->failure);
    }
}

void BrowserPage::ViewHostSelectItem(int item, bool selected) {
    if (!selected || item < 0) {
        return;
    }
    const std::int32_t previousHostId = CurrentHostId;
    const std::int32_t previousFolderId = CurrentFolderId;
    std::u16string previousHostName = CurrentHostName;
    CurrentHostId = ViewHost.RowId(item);
    CurrentHostName = ViewHost.RowCaption(item);
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

bool BrowserPage::DisplayHostFiles(std::int32_t hostId, std::int32_t folderId) {
    const auto answer = std::make_shared<FolderAnswer>();
    host_.RunExchange([answer, connector = connector_, servers = settings_.ServerName, hostId,
                       folderId](const StatusSink& status) {
        FolderListingSink sink;
        sink.AnswerArrived = [&answer = *answer] { answer.arrived = true; };
        sink.Path = [&paths = answer->paths](std::u16string&& path) {
            paths.push_back(std::move(path));
        };
        sink.Item = [&items = answer->items](TFileBrowserItem&& item) {
            items.push_back(std::move(item));
        };
        KeepFailure(answer->failure,
                    [&] { FetchFolder(*connector, servers, hostId, folderId, sink, status); });
    });
    if (answer->arrived) {
        // The list gets its rows back before any message box, so it shows them behind it.
        const VirtualListDetach detach(ViewContent.Handle(),
                                       [this] { return FolderListing.size(); });
        FolderListing = std::move(answer->items);
        if (folderId == -1) {
            SetCurrentPath(CurrentHostName);
        }
        for (const std::u16string& path : answer->paths) {
            SetCurrentPath(path);
        }
        if (!answer->failure) {
            KeepFailure(answer->failure, [&] {
                FinishFolderListing(FolderListing, folderId, ParentMap);
                host_.SetStatusText(1, FileCountText(FolderListing.size()));
            });
        }
    }
    if (answer->failure) {
        ShowFailure(kFilesFailure, *answer->failure);
    }
    return answer->arrived;
}

void BrowserPage::SetCurrentPath(const std::u16string& path) {
    SetWindowTextW(pathLine_, AsWide(PathLineText(path)));
    CurrentPath = CurrentPathOf(path);
}

void BrowserPage::ViewContentDblClick() {
    OpenFolderRow(ViewContent.RowAt(desktop_.CursorPosition()));
}

void BrowserPage::OpenFolderRow(int row) {
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

void BrowserPage::ViewContentContextMenu(LPARAM position) {
    host_.ShowOperationPopup(ViewContent.Handle(), position);
}

void BrowserPage::ViewContentKeyCommand(ListKeyCommand command) {
    switch (command) {
        case ListKeyCommand::CopyPath:
            host_.ExecuteAction(kActionCopyPath);
            break;
        case ListKeyCommand::CopyCells:
            if (const int row = ViewContent.SelectedRow(); row >= 0) {
                CopyToClipboardOrSay(desktop_, host_.Owner(), ViewContent.RowCellsText(row));
            }
            break;
        case ListKeyCommand::Activate:
            OpenFolderRow(ViewContent.SelectedRow());
            break;
        case ListKeyCommand::Back:
            // Only a listing below a host's top level starts with "..".
            if (!FolderListing.empty() && FolderListing.front().IsFolder &&
                FolderListing.front().Name == kParentEntryName) {
                OpenFolderRow(0);
            }
            break;
        default:
            break;
    }
}

void BrowserPage::ViewContentBeginDrag(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= FolderListing.size()) {
        return;
    }
    const TFileBrowserItem& entry = FolderListing[static_cast<std::size_t>(row)];
    if (entry.Name == kParentEntryName) {
        return;  // not a file or folder of its own
    }
    // Whatever takes the drop opens or copies it: the same rule as handing it to the shell.
    if (const std::u16string path = BrowserItemPath(CurrentPath, entry); IsNetworkPath(path)) {
        desktop_.DragFileOut(path);
    }
}

void BrowserPage::Clear() {
    {
        const VirtualListDetach detach(ViewContent.Handle(),
                                       [this] { return FolderListing.size(); });
        FolderListing = {};
    }
    ParentMap.Clear();
}

const TFileBrowserItem* BrowserPage::SelectedEntry() const {
    const int row = ViewContent.SelectedRow();
    return row >= 0 && static_cast<std::size_t>(row) < FolderListing.size()
               ? &FolderListing[static_cast<std::size_t>(row)]
               : nullptr;
}

OperationsEnabled BrowserPage::Enabled() const {
    return BrowserOperationsEnabled(SelectedEntry());
}

std::optional<std::u16string> BrowserPage::SelectedItemPath() const {
    if (const TFileBrowserItem* entry = SelectedEntry()) {
        return BrowserItemPath(CurrentPath, *entry);
    }
    return std::nullopt;
}

std::optional<std::u16string> BrowserPage::SelectedFolderPath() const {
    if (SelectedEntry() != nullptr) {
        return BrowserFolderPath(CurrentPath);
    }
    return std::nullopt;
}

std::optional<std::u16string> BrowserPage::MapDrivePath() const {
    // The selected row is itself the folder to map.
    return SelectedItemPath();
}

std::u16string_view BrowserPage::OpenFolderFailurePrefix() const {
    return kOpenCurrentFolderFailure;
}

}  // namespace kestrine
