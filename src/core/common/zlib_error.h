#pragma once

#include <string>

namespace kestrine {

// The text shown for a zlib return code.
std::u16string ZlibErrorText(int code);

}  // namespace kestrine
