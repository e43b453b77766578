// The query form's handlers: Go, paging from the status bar, saving the results.
#include "ui/gui_main.h"

namespace kestrine {

void TKestrineClient::ActionGoExecute() {}

void TKestrineClient::StatusBarClick() {}

void TKestrineClient::ActionSaveExecute() {}

}  // namespace kestrine
