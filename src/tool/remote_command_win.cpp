#include "remote_command.h"

#include <span>

#include "common/text.h"
#include "exchange/answer_fetch.h"
#include "json_output.h"
#include "pipe/win32_pipe_connector.h"
#include "search/result_list.h"
#include "tool_arguments.h"

namespace kestrine {
namespace {

void Search(const ToolArguments& parsed, std::ostream& out) {
    SearchQuery query;
    query.Limit = parsed.Int32("limit", 1000);
    query.Skip = parsed.Int32("skip", 0);
    query.Mode = parsed.Int32("mode", 0);
    query.Active = parsed.Int32("active", 0);
    query.Query = parsed.positional.empty() ? std::u16string() : Utf8ToUtf16(parsed.positional[0]);
    query.Extensions = parsed.Has("extensions") ? parsed.Text("extensions") : u"*";
    // The connection text is left out: stdout carries records only.
    Win32PipeConnector connector;
    // Read as the window reads it, so a bomb of an answer never inflates whole; the rows read
    // before a failure in the layout are printed before it, as they always were.
    SearchResultList page;
    const auto print = [&] {
        page.ForEachRow([&](const SearchHitView& hit) { WriteSearchItemJson(out, hit.ToItem()); });
    };
    try {
        FetchSearchPage(connector, parsed.Text("server"), query, page);
    } catch (...) {
        print();
        throw;
    }
    print();
}

void Browse(const ToolArguments& parsed, std::ostream& out) {
    const std::int32_t host = parsed.Int32("host", -1);
    const std::int32_t folder = parsed.Int32("folder", -1);
    Win32PipeConnector connector;
    if (host == -1) {
        FetchHostList(connector, parsed.Text("server"),
                      [&](HostRecord&& record) { WriteHostJson(out, record); });
        return;
    }
    FolderListingSink sink;
    sink.Path = [&](std::u16string&& path) { WriteFolderPathJson(out, path); };
    sink.Item = [&](TFileBrowserItem&& item) { WriteBrowserItemJson(out, item); };
    FetchFolder(connector, parsed.Text("server"), host, folder, sink);
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
