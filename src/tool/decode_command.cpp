#include "decode_command.h"

#include "answer_file.h"
#include "common/inflate.h"
#include "json_output.h"
#include "protocol/answer_layouts.h"
#include "tool_arguments.h"

namespace kestrine {
namespace {

void Decode(const std::string& kind, const ToolArguments& parsed, std::ostream& out) {
    Bytes data = ReadAnswerFile(parsed.positional[0]);
    InflateInPlace(data);
    if (kind == "hosts") {
        ReadHostList(data, [&](HostRecord&& host) { WriteHostJson(out, host); });
    } else if (kind == "search") {
        ReadSearchResults(data, [&](TFileSearchItem&& item) { WriteSearchItemJson(out, item); });
    } else {
        const bool folderRequested = parsed.Int32("folder", -1) != -1;
        ReadFolderListing(
            data, folderRequested, [&](std::u16string&& path) { WriteFolderPathJson(out, path); },
            [&](TFileBrowserItem&& item) { WriteBrowserItemJson(out, item); });
    }
}

}  // namespace

int RunDecodeCommand(const std::vector<std::string>& args, std::ostream& out) {
    if (args.empty()) {
        throw UsageError("decode: say hosts, folder or search");
    }
    const std::string& kind = args[0];
    const std::span<const std::string> rest(args.data() + 1, args.size() - 1);
    ToolArguments parsed;
    if (kind == "hosts" || kind == "search") {
        parsed = ParseToolArguments(rest, {});
    } else if (kind == "folder") {
        parsed = ParseToolArguments(rest, {"folder"});
        if (!parsed.Has("folder")) {
            throw UsageError("decode folder: --folder N is required (-1 for the top level)");
        }
        parsed.Int32("folder", -1);  // a bad number is a usage error before any output
    } else {
        throw UsageError("decode: unknown kind " + kind);
    }
    if (parsed.positional.size() != 1) {
        throw UsageError("decode " + kind + ": name one FILE");
    }
    Decode(kind, parsed, out);
    return 0;
}

}  // namespace kestrine
