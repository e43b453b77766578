#pragma once

#include <cstdint>
#include <string_view>
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
int CompareSearchItems(const SearchHitView& a, const SearchHitView& b, int tag);

// Sorting works on small entries holding a row's key and index, never on the rows. The
// orders below are not stable: rows with equal keys may change places.

// Signed keys map to unsigned ones in the same order; a descending sort inverts them, so
// that one ascending comparison of plain integers serves both directions.
struct NumberSortEntry {
    std::uint64_t key;
    std::uint32_t index;
};
inline NumberSortEntry NumberSortEntryOf(std::int64_t value, std::uint32_t index, bool descending) {
    const std::uint64_t key = static_cast<std::uint64_t>(value) ^ (std::uint64_t{1} << 63);
    return NumberSortEntry{descending ? ~key : key, index};
}
// The indexes in ascending key order.
std::vector<std::uint32_t> OrderOfNumbers(std::vector<NumberSortEntry> entries);

// The first four code units packed into one integer decide most comparisons without
// touching the text; the text must outlive the sort.
struct TextSortEntry {
    std::uint64_t prefix;
    const char16_t* data;
    std::uint32_t size;
    std::uint32_t index;
};
TextSortEntry TextSortEntryOf(std::u16string_view text, std::uint32_t index);
// The indexes ordered by their texts' code units, ascending or descending.
std::vector<std::uint32_t> OrderOfTexts(std::vector<TextSortEntry> entries, bool descending);

}  // namespace kestrine
