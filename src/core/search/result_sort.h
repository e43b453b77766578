#pragma once

#include <cstdint>
#include <vector>

#include "protocol/records.h"

namespace kestrine {

// The sort state of the result list: 0 unsorted, otherwise |tag| is the column (1 file
// name, 2 folder, 3 computer, 4 size, 5 date modified) and the sign the direction (positive
// ascending).
inline constexpr int kUnsorted = 0;

// The tag after a click on the header of zero-based column k: the same column flips the
// direction, another column sorts ascending by it.
int NextSortTag(int tag, int column);

// Compares two hits for the given tag: <0, 0 or >0. Texts by UTF-16 code units (so case
// matters, upper case first), sizes as signed numbers, dates equal within the same millisecond
// (see TimestampMillisecondKey). A tag naming no column makes every pair equal.
int CompareSearchItems(const TFileSearchItem& a, const TFileSearchItem& b, int tag);

// The indexes of items in CompareSearchItems order for the tag; for a tag naming no column,
// the order as it is. Not stable: equal hits may change places. More hits than 32-bit indexes
// can count (far beyond any memory) is a Failure.
std::vector<std::uint32_t> SortedOrder(const std::vector<TFileSearchItem>& items, int tag);

}  // namespace kestrine
