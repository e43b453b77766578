#pragma once

#include <optional>
#include <span>
#include <string>

#include "common/bytes.h"
#include "protocol/records.h"

namespace kestrine {

// Whole answers (inflated value streams) in the three layouts, as the reference server
// sends them: strings as UTF-8 strings, integers as int32, sizes as int64. Compress the
// result with Deflate before sending it.
Bytes WriteHostList(std::span<const HostRecord> hosts);

// path is given exactly when a real folder (not -1) was asked for; files are the items with
// IsFolder false, folders those with IsFolder true.
Bytes WriteFolderListing(std::span<const HostRecord> hosts,
                         const std::optional<std::u16string>& path,
                         std::span<const TFileBrowserItem> items);

Bytes WriteSearchResults(std::span<const TFileSearchItem> items);

}  // namespace kestrine
