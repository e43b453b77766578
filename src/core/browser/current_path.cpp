#include "browser/current_path.h"

namespace kestrine {

std::u16string PathLineText(std::u16string_view path) {
    std::u16string text = u"PATH: ";
    text.append(path);
    return text;
}

std::u16string CurrentPathOf(std::u16string_view path) {
    if (path.ends_with(u'\\')) {
        path.remove_suffix(1);
    }
    return std::u16string(path);
}

}  // namespace kestrine
