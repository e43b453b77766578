#include "commatext_command.h"

#include "common/text.h"
#include "json_output.h"
#include "lists/string_list.h"

namespace kestrine {
namespace {

constexpr const char* kUsage =
    "usage: kestrine commatext read TEXT\n"
    "       kestrine commatext write [ENTRY...]\n";

int Read(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        err << kUsage;
        return 2;
    }
    StringList list;
    list.SetCommaText(Utf8ToUtf16(args[1]));
    std::string line = "[";
    for (int i = 0; i < list.Count(); ++i) {
        if (i > 0) {
            line += ',';
        }
        line += JsonString(list.At(i));
    }
    line += "]\n";
    out << line;
    return 0;
}

int Write(const std::vector<std::string>& args, std::ostream& out) {
    StringList list;
    for (std::size_t i = 1; i < args.size(); ++i) {
        list.Add(Utf8ToUtf16(args[i]));
    }
    out << Utf16ToUtf8(list.GetCommaText()) << '\n';
    return 0;
}

}  // namespace

int RunCommatextCommand(const std::vector<std::string>& args, std::ostream& out,
                        std::ostream& err) {
    if (!args.empty() && args[0] == "read") {
        return Read(args, out, err);
    }
    if (!args.empty() && args[0] == "write") {
        return Write(args, out);
    }
    err << kUsage;
    return 2;
}

}  // namespace kestrine
