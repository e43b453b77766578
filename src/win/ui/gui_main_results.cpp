// The result list: rows of SearchResults, sorting by column, double-click to open.
#include "ui/control_ids.h"
#include "ui/gui_main.h"

namespace kestrine {

void TKestrineClient::ViewResultsData(NMLVDISPINFOW&) {}

void TKestrineClient::ViewResultsColumnClick(int) {}

void TKestrineClient::ViewResultsDblClick() {
    actions_.Execute(kActionOpen);
}

}  // namespace kestrine
