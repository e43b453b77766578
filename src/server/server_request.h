#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>

namespace kestrine::server {

struct SearchRequest {
    std::int32_t limit = 0;
    std::int32_t skip = 0;
    std::int32_t mode = 0;    // 0 files, 1 folders, 2 both
    std::int32_t active = 0;  // 0 all computers, 1 active ones only
    std::u16string query;
    std::u16string extensions;  // "*", empty, or 'zip','arj'
};

struct BrowseRequest {
    std::int32_t hostId = -1;
    std::int32_t folderId = -1;
};

using ServerRequest = std::variant<SearchRequest, BrowseRequest>;

// Reads a request document: <request><command>NAME</command><params .../></request>.
// Throws Failure with the reason for a malformed document, an unknown command, or a
// missing or out-of-range attribute.
ServerRequest ParseServerRequest(std::span<const std::uint8_t> document);

}  // namespace kestrine::server
