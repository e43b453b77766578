#include "protocol/request_document.h"

#include <string>

namespace kestrine {
namespace {

// The server compares these bytes exactly: no byte-order mark, one CR LF after the
// declaration, everything else on one line.
constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";

void Append(Bytes& out, std::string_view text) {
    out.insert(out.end(), text.begin(), text.end());
}

// Each UTF-16 code unit on its own, so a surrogate half becomes a three-byte sequence.
void AppendCodeUnit(Bytes& out, char16_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<std::uint8_t>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<std::uint8_t>(0xC0 | (c >> 6)));
        out.push_back(static_cast<std::uint8_t>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<std::uint8_t>(0xE0 | (c >> 12)));
        out.push_back(static_cast<std::uint8_t>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<std::uint8_t>(0x80 | (c & 0x3F)));
    }
}

// Escapes the five markup characters and writes every line break as CR LF, after turning
// CR LF and a lone CR into one line break each.
void AppendText(Bytes& out, std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        switch (c) {
            case u'"':
                Append(out, "&quot;");
                break;
            case u'\'':
                Append(out, "&apos;");
                break;
            case u'&':
                Append(out, "&amp;");
                break;
            case u'<':
                Append(out, "&lt;");
                break;
            case u'>':
                Append(out, "&gt;");
                break;
            case u'\r':
                if (i + 1 < text.size() && text[i + 1] == u'\n') {
                    ++i;
                }
                Append(out, "\r\n");
                break;
            case u'\n':
                Append(out, "\r\n");
                break;
            default:
                AppendCodeUnit(out, c);
        }
    }
}

void AppendAttribute(Bytes& out, std::string_view name, std::int32_t value) {
    Append(out, " ");
    Append(out, name);
    Append(out, "=\"");
    Append(out, std::to_string(value));
    Append(out, "\"");
}

void AppendTextElement(Bytes& out, std::string_view name, std::u16string_view text) {
    Append(out, "<");
    Append(out, name);
    if (text.empty()) {
        Append(out, "/>");
        return;
    }
    Append(out, ">");
    AppendText(out, text);
    Append(out, "</");
    Append(out, name);
    Append(out, ">");
}

Bytes StartDocument(std::string_view command) {
    Bytes out;
    // Room for a typical document up front; this also keeps GCC 12's -O3 flow analysis from
    // reporting a false buffer overflow in the first insert.
    out.reserve(256);
    Append(out, kDeclaration);
    Append(out, "<request><command>");
    Append(out, command);
    Append(out, "</command><params");
    return out;
}

}  // namespace

Bytes BuildSearchRequest(const SearchQuery& query) {
    Bytes out = StartDocument("srvsearch");
    AppendAttribute(out, "limit", query.Limit);
    AppendAttribute(out, "skip", query.Skip);
    AppendAttribute(out, "mode", query.Mode);
    AppendAttribute(out, "active", query.Active);
    Append(out, ">");
    AppendTextElement(out, "query", query.Query);
    AppendTextElement(out, "extensions", query.Extensions);
    Append(out, "</params></request>");
    return out;
}

Bytes BuildBrowseRequest(std::int32_t hostId, std::int32_t folderId) {
    Bytes out = StartDocument("srvbrowse");
    AppendAttribute(out, "hostid", hostId);
    AppendAttribute(out, "folderid", folderId);
    Append(out, "/></request>");
    return out;
}

}  // namespace kestrine
