#include "server_request.h"

#include <optional>

#include "common/failure.h"
#include "common/text.h"
#include "xml_reader.h"

namespace kestrine::server {
namespace {

std::int32_t IntegerAttribute(const XmlElement& params, std::u16string_view name,
                              std::int32_t lowest, std::int32_t highest) {
    const std::u16string* text = params.Attribute(name);
    if (text == nullptr) {
        throw Failure(u"missing attribute " + std::u16string(name));
    }
    const std::optional<std::int32_t> value = ParseInt32(*text);
    if (!value || *value < lowest || *value > highest) {
        throw Failure(u"bad attribute " + std::u16string(name) + u"=\"" + *text + u"\"");
    }
    return *value;
}

std::u16string ChildText(const XmlElement& params, std::u16string_view name) {
    const XmlElement* child = params.Child(name);
    if (child == nullptr) {
        throw Failure(u"missing element " + std::u16string(name));
    }
    if (!child->children.empty()) {
        throw Failure(u"element " + std::u16string(name) + u" must hold text only");
    }
    return child->text;
}

constexpr std::int32_t kMaxInt = 2147483647;

}  // namespace

ServerRequest ParseServerRequest(std::span<const std::uint8_t> document) {
    const XmlElement root = ParseXml(document);
    if (root.name != u"request") {
        throw Failure(u"the root element must be request");
    }
    const XmlElement* command = root.Child(u"command");
    const XmlElement* params = root.Child(u"params");
    if (command == nullptr || params == nullptr) {
        throw Failure(u"a request needs command and params");
    }
    const std::u16string name = Trim(command->text);
    if (name == u"srvsearch") {
        SearchRequest search;
        search.limit = IntegerAttribute(*params, u"limit", 0, kMaxInt);
        search.skip = IntegerAttribute(*params, u"skip", 0, kMaxInt);
        search.mode = IntegerAttribute(*params, u"mode", 0, 2);
        search.active = IntegerAttribute(*params, u"active", 0, 1);
        search.query = ChildText(*params, u"query");
        search.extensions = ChildText(*params, u"extensions");
        return search;
    }
    if (name == u"srvbrowse") {
        BrowseRequest browse;
        browse.hostId = IntegerAttribute(*params, u"hostid", -1, kMaxInt);
        browse.folderId = IntegerAttribute(*params, u"folderid", -1, kMaxInt);
        return browse;
    }
    throw Failure(u"unknown command \"" + name + u"\"");
}

}  // namespace kestrine::server
