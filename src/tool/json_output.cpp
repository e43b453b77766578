#include "json_output.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "common/text.h"

namespace kestrine {
namespace {

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendEscape(std::string& out, char16_t c) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
    out += escape;
}

const char* Bool(bool value) {
    return value ? "true" : "false";
}

}  // namespace

std::string JsonString(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out.push_back('"');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        switch (c) {
            case u'"':
                out += "\\\"";
                break;
            case u'\\':
                out += "\\\\";
                break;
            case u'\n':
                out += "\\n";
                break;
            case u'\r':
                out += "\\r";
                break;
            case u'\t':
                out += "\\t";
                break;
            case u'\b':
                out += "\\b";
                break;
            case u'\f':
                out += "\\f";
                break;
            default:
                if (c < 0x20) {
                    AppendEscape(out, c);
                } else if (IsHighSurrogate(c) && i + 1 < text.size() &&
                           IsLowSurrogate(text[i + 1])) {
                    AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
                                        (static_cast<char32_t>(text[i + 1]) - 0xDC00));
                    ++i;
                } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
                    AppendEscape(out, c);
                } else {
                    AppendUtf8(out, c);
                }
        }
    }
    out.push_back('"');
    return out;
}

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

void WriteHostJson(std::ostream& out, const HostRecord& host) {
    out << "{\"id\":" << host.Id << ",\"name\":" << JsonString(host.Name)
        << ",\"updated\":" << JsonNumber(host.Updated) << ",\"active\":" << host.Active << "}\n";
}

void WriteFolderPathJson(std::ostream& out, std::u16string_view path) {
    out << "{\"path\":" << JsonString(path) << "}\n";
}

void WriteBrowserItemJson(std::ostream& out, const TFileBrowserItem& item) {
    out << "{\"folder\":" << Bool(item.IsFolder) << ",\"id\":" << item.Id
        << ",\"name\":" << JsonString(item.Name) << ",\"size\":" << item.Size << "}\n";
}

void WriteSearchItemJson(std::ostream& out, const TFileSearchItem& item) {
    out << "{\"computer\":" << JsonString(item.Computer)
        << ",\"folder\":" << JsonString(item.Folder)
        << ",\"file_name\":" << JsonString(item.FileName) << ",\"size\":" << item.Size
        << ",\"modified\":" << JsonNumber(item.Modified) << ",\"attributes\":" << item.Attributes
        << "}\n";
}

}  // namespace kestrine
