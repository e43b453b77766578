// Answers every request on the search server's pipe with one generated page of results,
// whatever was asked, so that the client can be measured with a page of any size:
//   page_server_win.exe ROWS
// Prints "ready: N rows, B bytes (I inflated)" once it listens and "answered" after each
// answer was read.
// Runs until it is ended. Used by scripts/big-page.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <limits>

#include "answer_pipe_server.h"
#include "common/inflate.h"
#include "generated_page.h"

using namespace kestrine;

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
    const AnswerPipeServer server(1, &answer, [] {
        std::printf("answered\n");
        std::fflush(stdout);
    });
    std::printf("ready: %d rows, %zu bytes (%zu inflated)\n", rows, answer.size(), inflatedSize);
    std::fflush(stdout);
    // The server's threads answer until the program is ended.
    Sleep(INFINITE);
}
