// Times a search page through the real named pipe: the client's exchange, inflate and
// decode, beside the raw transfer of the same bytes over the same pipe. A plain program
// (Google Benchmark is not built for MinGW); run it under Wine.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

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

const wchar_t kPipe[] = L"\\\\.\\pipe\\vellmora_kestrine_server";
constexpr int kInstances = 2;

bool ReadExactly(HANDLE pipe, std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        DWORD got = 0;
        if (!ReadFile(pipe, data, static_cast<DWORD>(size), &got, nullptr) || got == 0) {
            return false;
        }
        data += got;
        size -= got;
    }
    return true;
}

// The answer every connection gets; switched between the sizes measured.
std::atomic<const Bytes*> currentAnswer{nullptr};

// Answers every connection with the current answer until the program ends.
void Serve(bool first) {
    const HANDLE pipe = CreateNamedPipeW(
        kPipe, PIPE_ACCESS_DUPLEX | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0),
        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, kInstances, 1 << 16, 1 << 16, 0, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot create the pipe (is a server running?)\n");
        std::exit(1);
    }
    while (true) {
        if (ConnectNamedPipe(pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED) {
            std::uint8_t prefix[4];
            if (ReadExactly(pipe, prefix, 4)) {
                std::vector<std::uint8_t> request(prefix[0] | prefix[1] << 8);
                ReadExactly(pipe, request.data(), request.size());
                const Bytes* answer = currentAnswer.load();
                const std::uint32_t size = static_cast<std::uint32_t>(answer->size());
                DWORD written = 0;
                WriteFile(pipe, &size, 4, &written, nullptr);
                WriteFile(pipe, answer->data(), size, &written, nullptr);
                FlushFileBuffers(pipe);
            }
        }
        DisconnectNamedPipe(pipe);
    }
}

// The bytes alone: open, send, read the length and the body into a ready buffer.
std::size_t RawTransfer(const Bytes& request, std::vector<std::uint8_t>& buffer) {
    WaitNamedPipeW(kPipe, 120000);
    const HANDLE pipe = CreateFileW(kPipe, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) {
        return 0;
    }
    const std::uint32_t length = static_cast<std::uint32_t>(request.size());
    DWORD written = 0;
    WriteFile(pipe, &length, 4, &written, nullptr);
    WriteFile(pipe, request.data(), length, &written, nullptr);
    std::uint32_t size = 0;
    ReadExactly(pipe, reinterpret_cast<std::uint8_t*>(&size), 4);
    buffer.resize(std::max<std::size_t>(buffer.size(), size));
    ReadExactly(pipe, buffer.data(), size);
    CloseHandle(pipe);
    return size;
}

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
    currentAnswer = &small;
    for (int i = 0; i < kInstances; ++i) {
        std::thread(Serve, i == 0).detach();
    }
    Sleep(100);
    for (const int rows : {1000, 100000}) {
        const Bytes answer = GeneratedSearchAnswer(rows);
        currentAnswer = &answer;
        const int rounds = rows >= 100000 ? 7 : 101;
        std::vector<std::uint8_t> buffer;
        const double raw = MedianMilliseconds(rounds, [&] { RawTransfer(request, buffer); });
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
    // The serving threads never return; the answers they point at must outlive them.
    std::_Exit(0);
}
