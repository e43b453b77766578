#pragma once

#include <cstddef>

#include "common/bytes.h"

namespace kestrine {

// The largest inflated answer we accept. A page of results is far smaller; the bound keeps
// a hostile or broken answer (a decompression bomb) from exhausting memory.
inline constexpr std::size_t kMaxInflatedSize =
    sizeof(void*) >= 8 ? std::size_t{1} << 30 : std::size_t{256} << 20;

// Replaces the buffer's content, a whole zlib stream (15-bit window), by the inflated bytes.
// A stream that ends early inflates to whatever it holds (the reader then reports the
// shortage); bytes after the end of the stream are ignored. Fails with zlib's error text
// ("data error", "stream error", "buffer error", "insufficient memory", "incompatible
// version"), and with "insufficient memory" when the output would exceed maxSize bytes.
void InflateInPlace(Bytes& buffer, std::size_t maxSize = kMaxInflatedSize);

}  // namespace kestrine
