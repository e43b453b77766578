#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace kestrine {

// Decodes Windows-1252, the same on every platform.
std::u16string DecodeWindows1252(std::span<const std::uint8_t> bytes);

}  // namespace kestrine
