#pragma once

#include <cstdint>
#include <string_view>

#include "common/bytes.h"

namespace kestrine {

// The UTF-8 XML document asking for one page of search results.
Bytes BuildSearchRequest(std::int32_t limit, std::int32_t skip, std::int32_t mode,
                         std::int32_t active, std::u16string_view query,
                         std::u16string_view extensions);

// The UTF-8 XML document asking for the host list (host -1) or a folder listing.
Bytes BuildBrowseRequest(std::int32_t hostId, std::int32_t folderId);

}  // namespace kestrine
