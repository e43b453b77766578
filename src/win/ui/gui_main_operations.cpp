// The operations on the selected row of the active page's list.
#include "ui/gui_main.h"
#include "ui/list_view.h"

namespace kestrine {

bool TKestrineClient::ContentViewActionUpdate(int) {
    // For now: a row of the active page's list is selected.
    if (ActivePage() == 0) {
        const int row = SelectedRow(Ui().ViewResults);
        return row >= 0 && row < static_cast<int>(SearchResults.size());
    }
    const int row = SelectedRow(Ui().ViewContent);
    return row >= 0 && row < static_cast<int>(FolderListing.size());
}

void TKestrineClient::ActionOpenExecute() {}

void TKestrineClient::ActionOpenFolderExecute() {}

void TKestrineClient::ActionMapDriveExecute() {}

void TKestrineClient::ActionPropertiesExecute() {}

}  // namespace kestrine
