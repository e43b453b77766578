#include "search/extension_list.h"

#include "lists/string_list.h"

namespace kestrine {

std::u16string BuildExtensionList(std::u16string_view categoryValue) {
    if (categoryValue.empty() || categoryValue == u"*") {
        return std::u16string(categoryValue);
    }
    StringList extensions;
    extensions.SetCommaText(categoryValue);
    std::u16string text;
    for (const std::u16string& extension : extensions) {
        if (!text.empty()) {
            text.push_back(u',');
        }
        text.push_back(u'\'');
        for (char16_t c : extension) {
            if (c == u'\'') {
                text.push_back(u'\'');
            }
            text.push_back(c);
        }
        text.push_back(u'\'');
    }
    return text;
}

}  // namespace kestrine
