#pragma once

#include <cstddef>
#include <string_view>

namespace kestrine {

// Decodes UTF-8 as Utf8ToUtf16 does, writing the code units at out, and returns how many it
// wrote: never more than utf8.size(), so a caller can make room before it knows the text.
std::size_t DecodeUtf8Into(std::string_view utf8, char16_t* out);

}  // namespace kestrine
