#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/bytes.h"

namespace kestrine {

// What one page of search results asks the server for.
struct SearchQuery {
    std::int32_t Limit = 1000;  // rows of the page
    std::int32_t Skip = 0;      // rows before it
    std::int32_t Mode = 0;      // 0 files, 1 folders, 2 files and folders
    std::int32_t Active = 0;    // 1: active computers only
    std::u16string Query;       // trimmed search text
    std::u16string Extensions;  // quoted extension list, "*" for any
};

// The UTF-8 XML document asking for one page of search results.
Bytes BuildSearchRequest(const SearchQuery& query);

// The UTF-8 XML document asking for the host list (host -1) or a folder listing.
Bytes BuildBrowseRequest(std::int32_t hostId, std::int32_t folderId);

}  // namespace kestrine
