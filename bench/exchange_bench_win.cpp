// Times a search page through the real named pipe: the client's exchange, inflate and
// decode, beside the raw transfer of the same bytes over the same pipe. A plain program
// (Google Benchmark is not built for MinGW); run it under Wine.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "answer_pipe_server.h"
#include "common/inflate.h"
#include "exchange/answer_fetch.h"
#include "exchange/server_exchange.h"
#include "generated_page.h"
#include "pipe/win32_pipe_connector.h"
#include "protocol/answer_layouts.h"
#include "protocol/request_document.h"
#include "search/result_list.h"

namespace {

using namespace kestrine;

constexpr int kInstances = 2;

enum class Stage { Exchange, Inflate, Decode };

// What a search costs the client: exchange, inflate, decode into the result page the search
// page keeps; stopped after the given stage to show where the time goes.
std::size_t ClientSearch(const SearchQuery& query, Stage last = Stage::Decode) {
    Win32PipeConnector connector;
    if (last == Stage::Decode) {
        SearchResultList rows;
        FetchSearchPage(connector, u".", query, rows);
        return rows.Count();
    }
    Bytes answer;
    ServerExchange(connector, u".", BuildSearchRequest(query), answer, nullptr);
    if (last == Stage::Inflate) {
        InflateInPlace(answer);
    }
    return answer.size();
}

template <typename Work>
double MedianMilliseconds(int rounds, Work work) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main() {
    const SearchQuery query{100000, 0, 0, 0, u"document", u"*"};
    const Bytes request = BuildSearchRequest(query);
    std::printf("%-8s %12s %10s %12s %12s %10s %7s\n", "rows", "answer bytes", "raw ms",
                "exchange ms", "+inflate ms", "client ms", "ratio");
    const Bytes small = GeneratedSearchAnswer(1000);
    AnswerPipeServer server(kInstances, &small);
    for (const int rows : {1000, 100000}) {
        const Bytes answer = GeneratedSearchAnswer(rows);
        server.SetAnswer(&answer);
        const int rounds = rows >= 100000 ? 7 : 101;
        Bytes buffer;
        const double raw = MedianMilliseconds(rounds, [&] { ReadAnswerAlone(request, buffer); });
        const double exchange =
            MedianMilliseconds(rounds, [&] { ClientSearch(query, Stage::Exchange); });
        const double inflate =
            MedianMilliseconds(rounds, [&] { ClientSearch(query, Stage::Inflate); });
        const double client = MedianMilliseconds(rounds, [&] {
            if (ClientSearch(query) != static_cast<std::size_t>(rows)) {
                std::fprintf(stderr, "wrong row count\n");
                std::exit(1);
            }
        });
        std::printf("%-8d %12zu %10.3f %12.3f %12.3f %10.3f %7.2f\n", rows, answer.size(), raw,
                    exchange, inflate, client, client / raw);
        std::fflush(stdout);
    }
    // The serving threads never return; the server and the answers must outlive them.
    std::_Exit(0);
}
