#include "remote_command.h"

#include <span>

#include "common/inflate.h"
#include "common/text.h"
#include "exchange/server_exchange.h"
#include "json_output.h"
#include "pipe/win32_pipe_connector.h"
#include "protocol/answer_layouts.h"
#include "protocol/request_document.h"
#include "tool_arguments.h"

namespace kestrine {
namespace {

// Sends one request to the servers of the list, as the client does, and returns the
// inflated answer. The connection text is left out: stdout carries records only.
Bytes AskServer(const std::u16string& serverList, const Bytes& request) {
    Win32PipeConnector connector;
    Bytes answer;
    ServerExchange(connector, serverList, request, answer, nullptr);
    InflateInPlace(answer);
    return answer;
}

void Search(const ToolArguments& parsed, std::ostream& out) {
    const std::u16string query =
        parsed.positional.empty() ? std::u16string() : Utf8ToUtf16(parsed.positional[0]);
    const std::u16string extensions = parsed.Has("extensions") ? parsed.Text("extensions") : u"*";
    const Bytes answer = AskServer(
        parsed.Text("server"),
        BuildSearchRequest(parsed.Int32("limit", 1000), parsed.Int32("skip", 0),
                           parsed.Int32("mode", 0), parsed.Int32("active", 0), query, extensions));
    ReadSearchResults(answer, [&](TFileSearchItem&& item) { WriteSearchItemJson(out, item); });
}

void Browse(const ToolArguments& parsed, std::ostream& out) {
    const std::int32_t host = parsed.Int32("host", -1);
    const std::int32_t folder = parsed.Int32("folder", -1);
    const Bytes answer = AskServer(parsed.Text("server"), BuildBrowseRequest(host, folder));
    if (host == -1) {
        ReadHostList(answer, [&](HostRecord&& record) { WriteHostJson(out, record); });
        return;
    }
    ReadFolderListing(
        answer, folder != -1, [&](std::u16string&& path) { WriteFolderPathJson(out, path); },
        [&](TFileBrowserItem&& item) { WriteBrowserItemJson(out, item); });
}

}  // namespace

int RunRemoteCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
    const std::string& command = args.at(0);
    const std::span<const std::string> rest(args.data() + 1, args.size() - 1);
    const bool search = command == "search";
    const ToolArguments parsed =
        search
            ? ParseToolArguments(rest, {"server", "limit", "skip", "mode", "active", "extensions"})
            : ParseToolArguments(rest, {"server", "host", "folder"});
    if (!parsed.Has("server")) {
        throw UsageError(command + ": --server LIST is required");
    }
    if (parsed.positional.size() > (search ? 1u : 0u)) {
        throw UsageError(command + ": unexpected argument " + parsed.positional.back());
    }
    // Bad numbers are usage errors before anything is sent.
    for (const char* name : {"limit", "skip", "mode", "active", "host", "folder"}) {
        parsed.Int32(name, 0);
    }
    if (search) {
        Search(parsed, out);
    } else {
        Browse(parsed, out);
    }
    return 0;
}

}  // namespace kestrine
