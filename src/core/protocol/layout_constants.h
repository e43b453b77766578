#pragma once

#include <cstdint>

namespace kestrine {

// The fixed numbers at the head of an answer and of each of its lists.
inline constexpr std::int32_t kStreamVersion = 1;
inline constexpr std::int32_t kHostFieldCount = 4;
inline constexpr std::int32_t kFolderFieldCount = 4;
inline constexpr std::int32_t kFileFieldCount = 2;
inline constexpr std::int32_t kSearchFieldCount = 7;

}  // namespace kestrine
