#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "common/bytes.h"
#include "file_index.h"

namespace kestrine::server {

// The largest request document the server reads.
inline constexpr std::size_t kMaxRequestBytes = 64 * 1024;

struct HandledRequest {
    Bytes answer;               // compressed value stream, or "ERROR: ..." as UTF-16LE
    std::string command = "-";  // "srvsearch", "srvbrowse", or "-" when unreadable
    std::size_t rows = 0;       // search hits, or entries of a folder listing, or hosts
    bool failed = false;
    double milliseconds = 0;

    // "srvsearch rows=12 ms=3.1" (and " error: REASON" for a failed request).
    std::string LogLine() const;
    std::u16string reason;
};

// Answers one request document. Never throws: every failure, running out of memory
// included, becomes an "ERROR: " answer.
HandledRequest HandleRequest(const FileIndex& index, std::span<const std::uint8_t> document);

// The uncompressed UTF-16LE answer "ERROR: " + reason.
Bytes ErrorAnswer(const std::u16string& reason);

}  // namespace kestrine::server
