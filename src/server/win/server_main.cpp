// server.exe: the reference search server. Indexes the folders given on the command line
// and answers the client's requests on \\.\pipe\vellmora_kestrine_server.
#include <windows.h>

#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>

#include "common/failure.h"
#include "common/text.h"
#include "folder_scanner.h"
#include "pipe_server.h"
#include "server_options.h"
#include "win_text.h"

namespace {

using namespace kestrine;
using namespace kestrine::server;

constexpr wchar_t kPipePath[] = L"\\\\.\\pipe\\vellmora_kestrine_server";
constexpr int kInstances = 16;

std::vector<std::u16string> Arguments() {
    std::vector<std::u16string> args;
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (argv == nullptr) {
        return args;
    }
    for (int i = 1; i < count; ++i) {
        args.push_back(FromWide(argv[i]));
    }
    LocalFree(argv);
    return args;
}

int Run() {
    ServerOptions options;
    try {
        options = ParseServerOptions(Arguments());
    } catch (const Failure& failure) {
        std::fprintf(stderr, "server: %s\n%s", failure.what(), kServerUsage);
        return 2;
    }

    std::mutex indexMutex;
    std::shared_ptr<const FileIndex> index = ScanHosts(options.hosts, nullptr);
    std::fprintf(stderr, "indexed %zu hosts, %zu files\n", index->Hosts().size(),
                 index->FileCount());
    const IndexSource current = [&] {
        const std::lock_guard lock(indexMutex);
        return index;
    };

    if (options.rescanSeconds > 0) {
        std::thread([&options, &index, &indexMutex] {
            while (true) {
                std::this_thread::sleep_for(std::chrono::seconds(options.rescanSeconds));
                std::shared_ptr<const FileIndex> previous;
                {
                    const std::lock_guard lock(indexMutex);
                    previous = index;
                }
                std::shared_ptr<const FileIndex> fresh = ScanHosts(options.hosts, previous.get());
                const std::lock_guard lock(indexMutex);
                index = std::move(fresh);
            }
        }).detach();
    }

    if (!ServePipe(kPipePath, kInstances, current)) {
        const DWORD error = GetLastError();
        std::fprintf(stderr, "server: cannot create the pipe (%lu): %s\n", error,
                     Utf16ToUtf8(SystemMessageText(error)).c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main() {
    try {
        return Run();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "server: %s\n", failure.what());
        return 1;
    }
}
