#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace kestrine {

// Decodes bytes in the system's single-byte ("ANSI") code page: the code page of GetACP on
// Windows, Windows-1252 elsewhere (see platform/CMakeLists.txt).
std::u16string DecodeAnsi(std::span<const std::uint8_t> bytes);

}  // namespace kestrine
