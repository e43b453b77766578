#pragma once

#include <cstdint>
#include <span>

#include "common/bytes.h"

namespace kestrine {

// Compresses bytes as a zlib stream that InflateInPlace reads: for the reference server,
// the tests and the benchmarks.
Bytes Deflate(std::span<const std::uint8_t> bytes);

}  // namespace kestrine
