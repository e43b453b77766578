// The operations on the selected row of the active page's list.
#include <optional>

#include "browser/operation_enabling.h"
#include "browser/shell_paths.h"
#include "ui/control_ids.h"
#include "ui/gui_main.h"
#include "ui/list_view.h"
#include "win_text.h"

namespace kestrine {

namespace {

constexpr char16_t kOpenFailure[] = u"Unable to open: ";
constexpr char16_t kOpenCurrentFolderFailure[] = u"Unable to open current folder: ";

// The selected record of a list showing `rows`, or nullptr.
template <typename Record>
const Record* SelectedRecord(HWND list, const std::vector<Record>& rows) {
    const int row = SelectedRow(list);
    return row >= 0 && row < static_cast<int>(rows.size()) ? &rows[static_cast<size_t>(row)]
                                                           : nullptr;
}

const TFileSearchItem* SelectedHit(const TKestrineClient& window) {
    return SelectedRecord(window.Ui().ViewResults, window.SearchResults);
}

const TFileBrowserItem* SelectedEntry(const TKestrineClient& window) {
    return SelectedRecord(window.Ui().ViewContent, window.FolderListing);
}

// The path of the selected row itself; nothing without a selected row.
std::optional<std::u16string> SelectedItemPath(const TKestrineClient& window) {
    if (window.ActivePage() == 0) {
        if (const TFileSearchItem* hit = SelectedHit(window)) {
            return SearchItemPath(*hit);
        }
    } else if (const TFileBrowserItem* entry = SelectedEntry(window)) {
        return BrowserItemPath(window.CurrentPath, *entry);
    }
    return std::nullopt;
}

// The folder holding the selected row: the hit's folder, or the folder on display.
std::optional<std::u16string> SelectedFolderPath(const TKestrineClient& window) {
    if (window.ActivePage() == 0) {
        if (const TFileSearchItem* hit = SelectedHit(window)) {
            return SearchFolderPath(*hit);
        }
    } else if (SelectedEntry(window) != nullptr) {
        return BrowserFolderPath(window.CurrentPath);
    }
    return std::nullopt;
}

}  // namespace

bool TKestrineClient::ContentViewActionUpdate(int actionId) {
    const OperationsEnabled enabled = ActivePage() == 0
                                          ? SearchOperationsEnabled(SelectedHit(*this))
                                          : BrowserOperationsEnabled(SelectedEntry(*this));
    switch (actionId) {
        case kActionOpen:
            return enabled.Open;
        case kActionOpenFolder:
            return enabled.OpenFolder;
        case kActionMapDrive:
            return enabled.MapDrive;
        case kActionProperties:
            return enabled.Properties;
        default:
            return false;
    }
}

void TKestrineClient::OpenWithShell(const std::u16string& path, std::u16string_view failurePrefix) {
    // The shell runs whatever it is given, and these paths come from the server: anything but
    // a network path is refused as the network path it should have been.
    unsigned long error = ERROR_BAD_NETPATH;
    if (IsNetworkPath(path)) {
        ShellResult result;
        {
            const HourglassCursor wait(desktop_);
            result = desktop_.ShellOpen(Handle(), path);
        }
        if (result.ok) {
            return;
        }
        error = result.lastError;
    }
    desktop_.ShowMessage(Handle(), std::u16string(failurePrefix) + SystemMessageText(error),
                         MessageIcon::Error);
}

void TKestrineClient::ActionOpenExecute() {
    if (const auto path = SelectedItemPath(*this)) {
        OpenWithShell(*path, kOpenFailure);
    }
}

void TKestrineClient::ActionOpenFolderExecute() {
    if (const auto path = SelectedFolderPath(*this)) {
        OpenWithShell(*path, ActivePage() == 1 ? kOpenCurrentFolderFailure : kOpenFailure);
    }
}

void TKestrineClient::ActionMapDriveExecute() {
    // On the browser page the selected row is itself the folder to map.
    const auto path = ActivePage() == 0 ? SelectedFolderPath(*this) : SelectedItemPath(*this);
    if (path && IsNetworkPath(*path)) {
        desktop_.MapNetworkDrive(Handle(), *path);
    }
}

void TKestrineClient::ActionPropertiesExecute() {
    const auto path = SelectedItemPath(*this);
    if (path && IsNetworkPath(*path)) {
        const HourglassCursor wait(desktop_);
        desktop_.ShowProperties(*path);
    }
}

}  // namespace kestrine
