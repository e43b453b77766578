#include "browser/folder_listing.h"

#include <algorithm>

#include "browser/parent_map.h"
#include "common/text.h"
#include "platform/text_compare.h"

namespace kestrine {

void SortFolderListing(std::vector<TFileBrowserItem>& listing) {
    std::sort(listing.begin(), listing.end(), [](const auto& a, const auto& b) {
        if (a.IsFolder != b.IsFolder) {
            return a.IsFolder;
        }
        return CompareTextIgnoringCase(a.Name, b.Name) < 0;
    });
}

void FinishFolderListing(std::vector<TFileBrowserItem>& listing, std::int32_t folderId,
                         const StringList& parentMap) {
    SortFolderListing(listing);
    if (folderId == -1) {
        return;
    }
    if (const auto parent = RecordedParent(parentMap, folderId)) {
        TFileBrowserItem up;
        up.IsFolder = true;
        up.Id = *parent;
        up.Name = kParentEntryName;
        listing.insert(listing.begin(), std::move(up));
    }
}

std::u16string FileCountText(std::size_t entries) {
    return ToText(static_cast<std::int64_t>(entries)) + u" file(s)";
}

void AppendContentSizeText(const TFileBrowserItem& item, const ValueFormatter& formatter,
                           std::u16string& out) {
    if (!item.IsFolder) {
        formatter.AppendSize(item.Size, out);
    }
}

}  // namespace kestrine
