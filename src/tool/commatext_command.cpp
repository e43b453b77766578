#include "commatext_command.h"

#include "common/text.h"
#include "lists/string_list.h"

#include <cstdio>

namespace kestrine {
namespace {

constexpr const char* kUsage =
    "usage: kestrine commatext read TEXT\n"
    "       kestrine commatext write [ENTRY...]\n";

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendUnicodeEscape(std::string& out, char16_t c) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
    out += buffer;
}

// A JSON string in UTF-8. Lone surrogates have no UTF-8 form, so they are kept as \uXXXX
// escapes rather than being replaced.
std::string JsonString(std::u16string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        switch (c) {
            case u'"':
                out += "\\\"";
                continue;
            case u'\\':
                out += "\\\\";
                continue;
            case u'\b':
                out += "\\b";
                continue;
            case u'\f':
                out += "\\f";
                continue;
            case u'\n':
                out += "\\n";
                continue;
            case u'\r':
                out += "\\r";
                continue;
            case u'\t':
                out += "\\t";
                continue;
            default:
                break;
        }
        if (c < 0x20) {
            AppendUnicodeEscape(out, c);
        } else if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            out += Utf16ToUtf8(text.substr(i, 2));
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            AppendUnicodeEscape(out, c);
        } else {
            out += Utf16ToUtf8(text.substr(i, 1));
        }
    }
    out += '"';
    return out;
}

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
