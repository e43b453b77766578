#pragma once

#include <memory>
#include <vector>

#include "file_index.h"
#include "server_options.h"

namespace kestrine::server {

// Indexes each host's folder tree: its subfolders are the host's shares, everything below
// them is indexed with sizes, local modification times and attributes. A host whose folder
// cannot be read is kept, inactive and empty. Folders keep the ids they had in previous.
std::shared_ptr<const FileIndex> ScanHosts(const std::vector<HostOption>& hosts,
                                           const FileIndex* previous);

}  // namespace kestrine::server
