#include "browser/shell_paths.h"

#include <algorithm>

namespace kestrine {

std::u16string SearchItemPath(const SearchHitView& item) {
    std::u16string path(item.Computer);
    path.push_back(u'\\');
    if (!item.Folder.empty()) {
        path.append(item.Folder);
        path.push_back(u'\\');
    }
    path.append(item.FileName);
    return path;
}

std::u16string SearchFolderPath(const SearchHitView& item) {
    std::u16string path(item.Computer);
    path.push_back(u'\\');
    path.append(item.Folder);
    return path;
}

std::u16string BrowserItemPath(std::u16string_view currentPath, const TFileBrowserItem& item) {
    std::u16string path(currentPath);
    path.push_back(u'\\');
    path.append(item.Name);
    return path;
}

std::u16string BrowserFolderPath(std::u16string_view currentPath) {
    return std::u16string(currentPath);
}

bool IsNetworkPath(std::u16string_view path) {
    if (!path.starts_with(u"\\\\")) {
        return false;
    }
    if (std::any_of(path.begin(), path.end(), [](char16_t c) { return c < 32; })) {
        return false;
    }
    const std::u16string_view rest = path.substr(2);
    const std::u16string_view server = rest.substr(0, rest.find_first_of(u"\\/"));
    return !server.empty() && server != u"." && server != u"?";
}

}  // namespace kestrine
