// server.exe: the reference search server. Indexes the folders given on the command line
// and answers the client's requests on \\.\pipe\vellmora_kestrine_server.
#include <windows.h>

#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "common/failure.h"
#include "common/text.h"
#include "folder_scanner.h"
#include "index_store.h"
#include "log_sink.h"
#include "pipe_server.h"
#include "protocol/framing.h"
#include "rescan_thread.h"
#include "server_options.h"
#include "win_text.h"

namespace {

using namespace kestrine;
using namespace kestrine::server;

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

    // Declared in the order they are needed, so they end in reverse: the rescan thread is
    // joined before the index it fills goes, the log outlives both. The serving threads share
    // the index and the log rather than borrowing them.
    const auto log = std::make_shared<LogSink>(GetStdHandle(STD_ERROR_HANDLE));
    const auto store = std::make_shared<IndexStore>(ScanHosts(options.hosts, nullptr));
    {
        const std::shared_ptr<const FileIndex> index = store->Current();
        log->Write("indexed " + std::to_string(index->Hosts().size()) + " hosts, " +
                   std::to_string(index->FileCount()) + " files");
    }
    std::optional<RescanThread> rescan;
    if (options.rescanSeconds > 0) {
        rescan.emplace(store, options.hosts, std::chrono::seconds(options.rescanSeconds));
    }

    if (!ServePipe(
            AsWide(kLocalPipePath), kInstances, [store] { return store->Current(); },
            [log](std::string line) { log->Write(std::move(line)); })) {
        const DWORD error = GetLastError();
        log->Write("server: cannot create the pipe (" + std::to_string(error) +
                   "): " + Utf16ToUtf8(SystemMessageText(error)));
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
