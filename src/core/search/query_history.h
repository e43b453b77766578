#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrine {

// The query history keeps at most this many entries after a search.
inline constexpr std::size_t kQueryHistoryLimit = 20;

// Records a query as typed (untrimmed) in the history, newest first: it goes in as entry 0
// unless an entry already equals it ignoring letter case (that entry keeps its place); then
// the oldest entries are dropped down to the limit.
void RecordQueryInHistory(std::vector<std::u16string>& history, std::u16string_view typed);

}  // namespace kestrine
