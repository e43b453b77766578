#pragma once

#include <cstdint>
#include <vector>

namespace kestrine {

// A byte buffer: request documents, answers as received and inflated value streams.
using Bytes = std::vector<std::uint8_t>;

}  // namespace kestrine
