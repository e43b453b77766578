#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "lists/string_list.h"
#include "protocol/records.h"
#include "search/value_formatter.h"

namespace kestrine {

// The name of the entry that leads back to the parent folder.
inline constexpr std::u16string_view kParentEntryName = u"..";

// Folders before files; within each group by name, ignoring letter case.
void SortFolderListing(std::vector<TFileBrowserItem>& listing);

// Turns the entries read for folderId into the listing shown: sorted, and for a folder below
// the top level (folderId != -1) whose parent is recorded, a ".." folder entry first that
// carries the parent's id.
void FinishFolderListing(std::vector<TFileBrowserItem>& listing, std::int32_t folderId,
                         const StringList& parentMap);

// Status panel 1 for a listing: "%d file(s)", folders and ".." included.
std::u16string FileCountText(std::size_t entries);

// Appends the size column of a content row: nothing for a folder.
void AppendContentSizeText(const TFileBrowserItem& item, const ValueFormatter& formatter,
                           std::u16string& out);

// The attributes the system icon of a content row is asked for: a folder's or a file's.
inline constexpr std::uint32_t kFolderIconAttributes = 16;
inline constexpr std::uint32_t kFileIconAttributes = 32;
inline std::uint32_t ContentIconAttributes(const TFileBrowserItem& item) {
    return item.IsFolder ? kFolderIconAttributes : kFileIconAttributes;
}

}  // namespace kestrine
