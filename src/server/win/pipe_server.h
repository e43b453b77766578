#pragma once

#include <functional>
#include <memory>
#include <string>

#include "file_index.h"

namespace kestrine::server {

// The index the server answers from; replaced as a whole by a rescan.
using IndexSource = std::function<std::shared_ptr<const FileIndex>()>;
// Takes one line of the log; must not block.
using LogLine = std::function<void(std::string)>;

// Serves the named pipe with several instances, one thread each, so that that many clients
// are answered at once: per connection one request and one answer. A client that stalls
// is dropped after a timeout, so it cannot hold an instance for ever. Each thread keeps its
// own copies of index and log. Returns only when the pipe cannot be created (false).
bool ServePipe(const std::wstring& path, int instances, const IndexSource& index,
               const LogLine& log);

}  // namespace kestrine::server
