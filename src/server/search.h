#pragma once

#include <vector>

#include "file_index.h"
#include "protocol/records.h"
#include "server_request.h"

namespace kestrine::server {

// One page of search hits: the rows matching the request, in index order, after skipping
// the first request.skip of them, at most request.limit. Files report their folder path
// with a trailing backslash; folders report their parent's path and attributes exactly 16.
// Top-level folders are the computer's shares and are never hits themselves: a share has
// no parent folder to name. Throws Failure for an unreadable extension list.
std::vector<TFileSearchItem> Search(const FileIndex& index, const SearchRequest& request);

}  // namespace kestrine::server
