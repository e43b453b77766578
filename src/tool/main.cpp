#include <iostream>
#include <string>
#include <vector>

#include "tool.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

#include "common/text.h"
#include "win_text.h"

namespace {

// main's argv is in the ANSI code page on Windows; the tool takes its arguments as UTF-8.
std::vector<std::string> Utf8Arguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide && i < count; ++i) {
        args.push_back(kestrine::Utf16ToUtf8(kestrine::FromWide(wide[i])));
    }
    LocalFree(wide);
    return args;
}

}  // namespace

int main() {
    // Request documents and JSON Lines are bytes: no CR LF translation.
    _setmode(_fileno(stdout), _O_BINARY);
    return kestrine::RunTool(Utf8Arguments(), std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return kestrine::RunTool(args, std::cout, std::cerr);
}
#endif
