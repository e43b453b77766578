#include "request_command.h"

#include "protocol/request_document.h"
#include "tool_arguments.h"

namespace kestrine {
namespace {

void WriteBytes(std::ostream& out, const Bytes& bytes) {
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int RunRequestCommand(const std::vector<std::string>& args, std::ostream& out) {
    if (args.empty()) {
        throw UsageError("request: say search or browse");
    }
    const std::span<const std::string> rest(args.data() + 1, args.size() - 1);
    if (args[0] == "search") {
        const ToolArguments parsed =
            ParseToolArguments(rest, {"limit", "skip", "mode", "active", "query", "extensions"});
        if (!parsed.positional.empty()) {
            throw UsageError("request search: unexpected argument " + parsed.positional[0]);
        }
        WriteBytes(out, BuildSearchRequest({parsed.Int32("limit", 1000), parsed.Int32("skip", 0),
                                            parsed.Int32("mode", 0), parsed.Int32("active", 0),
                                            parsed.Text("query"), parsed.Text("extensions")}));
        return 0;
    }
    if (args[0] == "browse") {
        const ToolArguments parsed = ParseToolArguments(rest, {"host", "folder"});
        if (!parsed.positional.empty()) {
            throw UsageError("request browse: unexpected argument " + parsed.positional[0]);
        }
        WriteBytes(out, BuildBrowseRequest(parsed.Int32("host", -1), parsed.Int32("folder", -1)));
        return 0;
    }
    throw UsageError("request: unknown kind " + args[0]);
}

}  // namespace kestrine
