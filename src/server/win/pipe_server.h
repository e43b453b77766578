#pragma once

#include <functional>
#include <memory>
#include <string>

#include "file_index.h"

namespace kestrine::server {

// The index the server answers from; replaced as a whole by a rescan.
using IndexSource = std::function<std::shared_ptr<const FileIndex>()>;

// Serves the named pipe with several instances, one thread each, so that that many clients
// are answered at once: per connection one request and one answer. A client that stalls
// is dropped after a timeout, so it cannot hold an instance for ever. Returns only when
// the pipe cannot be created (false).
bool ServePipe(const std::wstring& path, int instances, const IndexSource& index);

}  // namespace kestrine::server
