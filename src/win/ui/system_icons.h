#pragma once

#include <cstdint>
#include <string_view>

namespace kestrine {

// The index of a name's icon in the system small-icon list, from its extension and
// attributes alone (the file need not exist); -1 when the shell gives none.
int SystemIconIndex(std::u16string_view name, std::uint32_t attributes);

}  // namespace kestrine
