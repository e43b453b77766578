#include "browser/parent_map.h"

#include "common/text.h"

namespace kestrine {

void RecordParent(StringList& parentMap, std::int32_t child, std::int32_t parent) {
    const std::u16string name = ToText(child);
    if (parentMap.IndexOfName(name) == -1) {
        parentMap.Add(name + u"=" + ToText(parent));
    }
}

std::optional<std::int32_t> RecordedParent(const StringList& parentMap, std::int32_t child) {
    const int index = parentMap.IndexOfName(ToText(child));
    if (index == -1) {
        return std::nullopt;
    }
    return ParseInt32(parentMap.ValueAt(index));
}

}  // namespace kestrine
