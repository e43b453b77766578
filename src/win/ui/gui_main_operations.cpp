// The operations on the selected row of the active page's list.
#include "browser/operation_enabling.h"
#include "ui/control_ids.h"
#include "ui/gui_main.h"
#include "ui/list_view.h"

namespace kestrine {

namespace {

// The selected record of a list showing `rows`, or nullptr.
template <typename Record>
const Record* SelectedRecord(HWND list, const std::vector<Record>& rows) {
    const int row = SelectedRow(list);
    return row >= 0 && row < static_cast<int>(rows.size()) ? &rows[static_cast<size_t>(row)]
                                                           : nullptr;
}

}  // namespace

bool TKestrineClient::ContentViewActionUpdate(int actionId) {
    const OperationsEnabled enabled =
        ActivePage() == 0
            ? SearchOperationsEnabled(SelectedRecord(Ui().ViewResults, SearchResults))
            : BrowserOperationsEnabled(SelectedRecord(Ui().ViewContent, FolderListing));
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

void TKestrineClient::ActionOpenExecute() {}

void TKestrineClient::ActionOpenFolderExecute() {}

void TKestrineClient::ActionMapDriveExecute() {}

void TKestrineClient::ActionPropertiesExecute() {}

}  // namespace kestrine
