// The window's road to the search server: one synchronous exchange on the UI thread.
#include "exchange/server_exchange.h"
#include "ui/gui_main.h"

namespace kestrine {

Bytes TKestrineClient::Exchange(const Bytes& request) {
    Bytes answer;
    ServerExchange(connector_, ServerName, request, answer,
                   [this](const std::u16string& text) { SetStatusText(0, text); });
    return answer;
}

}  // namespace kestrine
