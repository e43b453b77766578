#include "tool.h"

#include "commatext_command.h"
#include "common/failure.h"
#include "decode_command.h"
#include "remote_command.h"
#include "request_command.h"
#include "tool_arguments.h"

namespace kestrine {
namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  kestrine request search [--limit N] [--skip N] [--mode N] [--active N]\n"
    "                          [--query TEXT] [--extensions TEXT]\n"
    "  kestrine request browse [--host N] [--folder N]\n"
    "  kestrine decode hosts FILE\n"
    "  kestrine decode folder --folder N FILE\n"
    "  kestrine decode search FILE\n"
    "  kestrine commatext read TEXT\n"
    "  kestrine commatext write [ENTRY...]\n"
    "  kestrine search ... | kestrine browse ...   (Windows: ask a running server)\n";

}  // namespace

int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        if (args.empty()) {
            throw UsageError("no command given");
        }
        const std::string& command = args[0];
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        if (command == "request") {
            return RunRequestCommand(rest, out);
        }
        if (command == "decode") {
            return RunDecodeCommand(rest, out);
        }
        if (command == "commatext") {
            return RunCommatextCommand(rest, out, err);
        }
        if (command == "search" || command == "browse") {
            return RunRemoteCommand(args, out, err);
        }
        throw UsageError("unknown command " + command);
    } catch (const UsageError& error) {
        err << "kestrine: " << error.what() << '\n' << kUsage;
        return 2;
    } catch (const Failure& failure) {
        // What was written before the failure stays on out; the message alone goes to err.
        out.flush();
        err << failure.what() << '\n';
        return 1;
    }
}

}  // namespace kestrine
