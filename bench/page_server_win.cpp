// Answers every request on the search server's pipe with one generated page of results,
// whatever was asked, so that the client can be measured with a page of any size:
//   page_server_win.exe ROWS
// Prints "ready: N rows, B bytes (I inflated)" once it listens and "answered" after each
// answer was read.
// Runs until it is ended. Used by scripts/big-page.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

#include "common/inflate.h"
#include "generated_page.h"

namespace {

using namespace kestrine;

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

}  // namespace

int main(int argc, char** argv) {
    const int rows = argc == 2 ? std::atoi(argv[1]) : 0;
    if (rows <= 0) {
        std::fprintf(stderr, "usage: page_server_win ROWS\n");
        return 2;
    }
    const Bytes answer = GeneratedSearchAnswer(rows);
    Bytes inflated = answer;
    InflateInPlace(inflated, std::numeric_limits<std::size_t>::max());
    const std::size_t inflatedSize = inflated.size();
    Bytes().swap(inflated);
    const HANDLE pipe = CreateNamedPipeW(L"\\\\.\\pipe\\vellmora_kestrine_server",
                                         PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                         PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1,
                                         1 << 16, 1 << 16, 0, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot create the pipe (is a server running?)\n");
        return 1;
    }
    std::printf("ready: %d rows, %zu bytes (%zu inflated)\n", rows, answer.size(), inflatedSize);
    std::fflush(stdout);
    for (;;) {
        if (ConnectNamedPipe(pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED) {
            std::uint8_t prefix[4];
            if (ReadExactly(pipe, prefix, 4)) {
                std::vector<std::uint8_t> request(prefix[0] | prefix[1] << 8);
                ReadExactly(pipe, request.data(), request.size());
                const std::uint32_t size = static_cast<std::uint32_t>(answer.size());
                DWORD written = 0;
                WriteFile(pipe, &size, 4, &written, nullptr);
                WriteFile(pipe, answer.data(), size, &written, nullptr);
                FlushFileBuffers(pipe);
                std::printf("answered\n");
                std::fflush(stdout);
            }
        }
        DisconnectNamedPipe(pipe);
    }
}
