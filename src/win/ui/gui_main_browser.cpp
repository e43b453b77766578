// The network browser page: host list, folder listing and the path line.
#include "ui/gui_main.h"

namespace kestrine {

void TKestrineClient::PagesChange() {}

void TKestrineClient::ViewHostSelectItem(int, bool) {}

void TKestrineClient::ViewContentData(NMLVDISPINFOW&) {}

void TKestrineClient::ViewContentDblClick() {}

}  // namespace kestrine
