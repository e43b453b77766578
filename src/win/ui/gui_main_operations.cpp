// The operations on the selected row of the active page's list.
#include <optional>

#include "browser/shell_paths.h"
#include "ui/clipboard.h"
#include "ui/control_ids.h"
#include "ui/gui_main.h"
#include "win_text.h"

namespace kestrine {

namespace {
constexpr char16_t kOpenFailure[] = u"Unable to open: ";
}  // namespace

bool TKestrineClient::ContentViewActionUpdate(int actionId) {
    const OperationsEnabled enabled = ActiveOperationsPage().Enabled();
    switch (actionId) {
        case kActionOpen:
            return enabled.Open;
        case kActionOpenFolder:
            return enabled.OpenFolder;
        case kActionMapDrive:
            return enabled.MapDrive;
        case kActionProperties:
            return enabled.Properties;
        case kActionCopyPath:
            return enabled.Open;  // the path Open would use
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
    if (const auto path = ActiveOperationsPage().SelectedItemPath()) {
        OpenWithShell(*path, kOpenFailure);
    }
}

void TKestrineClient::ActionOpenFolderExecute() {
    const OperationsPage& page = ActiveOperationsPage();
    if (const auto path = page.SelectedFolderPath()) {
        OpenWithShell(*path, page.OpenFolderFailurePrefix());
    }
}

void TKestrineClient::ActionMapDriveExecute() {
    const auto path = ActiveOperationsPage().MapDrivePath();
    if (path && IsNetworkPath(*path)) {
        desktop_.MapNetworkDrive(Handle(), *path);
    }
}

void TKestrineClient::ActionPropertiesExecute() {
    const auto path = ActiveOperationsPage().SelectedItemPath();
    if (path && IsNetworkPath(*path)) {
        const HourglassCursor wait(desktop_);
        desktop_.ShowProperties(*path);
    }
}

void TKestrineClient::ActionCopyPathExecute() {
    // Only text: unlike the shell, a paste runs nothing, so any path may be copied.
    if (const auto path = ActiveOperationsPage().SelectedItemPath()) {
        CopyToClipboardOrSay(desktop_, Handle(), *path);
    }
}

}  // namespace kestrine
