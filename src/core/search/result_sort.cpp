#include "search/result_sort.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string_view>

#include "common/failure.h"
#include "common/timestamp.h"

namespace kestrine {
namespace {

enum Column { kFileName = 1, kFolder, kComputer, kSize, kModified };

std::u16string_view TextOf(const SearchHitView& item, int column) {
    switch (column) {
        case kFileName:
            return item.FileName;
        case kFolder:
            return item.Folder;
        default:
            return item.Computer;
    }
}

template <typename T>
int Order(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

using TextEntry = TextSortEntry;
using NumberEntry = NumberSortEntry;

// Units [depth, depth + 4) of a text as one number, missing units counting as 0.
std::uint64_t PrefixAt(const TextEntry& entry, std::uint32_t depth) {
    std::uint64_t prefix = 0;
    for (std::uint32_t i = 0; i < 4; ++i) {
        const std::uint32_t at = depth + i;
        prefix = (prefix << 16) | (at < entry.size ? entry.data[at] : 0u);
    }
    return prefix;
}

// Texts whose first depth units are equal, each entry's prefix holding its next four units.
// They are ordered by those four units, then each group that shares them by the next four,
// and so on: a pass over a group reads each text once, where a comparison sort would fetch
// two texts from all over the page for every comparison. Within a group, a text that ends in
// its four units is a prefix of every longer one (it was padded with the zeros those have),
// so ordering a group by length as well puts such texts first, shorter before longer. Small
// or deep groups are finished by comparing the rest of the texts.
void SortTexts(TextEntry* first, TextEntry* last, std::uint32_t depth) {
    constexpr std::ptrdiff_t kSmallGroup = 16;
    constexpr std::uint32_t kDeepestRefinedUnit = 64;
    if (last - first < 2) {
        return;
    }
    if (last - first <= kSmallGroup || depth >= kDeepestRefinedUnit) {
        std::sort(first, last, [depth](const TextEntry& a, const TextEntry& b) {
            return std::u16string_view(a.data + depth, a.size - depth) <
                   std::u16string_view(b.data + depth, b.size - depth);
        });
        return;
    }
    std::sort(first, last, [](const TextEntry& a, const TextEntry& b) {
        return a.prefix != b.prefix ? a.prefix < b.prefix : a.size < b.size;
    });
    const std::uint32_t next = depth + 4;
    for (TextEntry* group = first; group != last;) {
        TextEntry* groupEnd = group + 1;
        while (groupEnd != last && groupEnd->prefix == group->prefix) {
            ++groupEnd;
        }
        TextEntry* longer = group;
        while (longer != groupEnd && longer->size <= next) {
            ++longer;
        }
        if (groupEnd - longer > 1) {
            for (TextEntry* entry = longer; entry != groupEnd; ++entry) {
                entry->prefix = PrefixAt(*entry, next);
            }
            SortTexts(longer, groupEnd, next);
        }
        group = groupEnd;
    }
}

// Least-significant-digit radix sort on 11-bit digits: a handful of linear passes instead of
// n log n comparisons. Digits every key shares (the high bits of sizes, dates) are skipped.
void RadixSort(std::vector<NumberEntry>& entries) {
    constexpr int kBits = 11;
    constexpr std::size_t kBuckets = std::size_t{1} << kBits;
    constexpr int kPasses = (64 + kBits - 1) / kBits;
    const std::size_t n = entries.size();
    std::vector<std::size_t> counts(kPasses * kBuckets);
    for (const NumberEntry& entry : entries) {
        for (int pass = 0; pass < kPasses; ++pass) {
            ++counts[pass * kBuckets + ((entry.key >> (pass * kBits)) & (kBuckets - 1))];
        }
    }
    std::vector<NumberEntry> scratch(n);
    for (int pass = 0; pass < kPasses; ++pass) {
        std::size_t* const count = counts.data() + pass * kBuckets;
        const int shift = pass * kBits;
        if (count[(entries[0].key >> shift) & (kBuckets - 1)] == n) {
            continue;
        }
        std::size_t position = 0;
        for (std::size_t bucket = 0; bucket < kBuckets; ++bucket) {
            const std::size_t size = count[bucket];
            count[bucket] = position;
            position += size;
        }
        for (const NumberEntry& entry : entries) {
            scratch[count[(entry.key >> shift) & (kBuckets - 1)]++] = entry;
        }
        entries.swap(scratch);
    }
}

template <typename Entry>
std::vector<std::uint32_t> IndexesOf(const std::vector<Entry>& entries) {
    std::vector<std::uint32_t> order(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        order[i] = entries[i].index;
    }
    return order;
}

}  // namespace

int NextSortTag(int tag, int column) {
    const int sortColumn = column + 1;
    return std::abs(tag) == sortColumn ? -tag : sortColumn;
}

int CompareSearchItems(const SearchHitView& a, const SearchHitView& b, int tag) {
    const int direction = tag < 0 ? -1 : 1;
    switch (std::abs(tag)) {
        case kFileName:
        case kFolder:
        case kComputer: {
            const std::u16string_view left = TextOf(a, std::abs(tag));
            const int result = left.compare(TextOf(b, std::abs(tag)));
            return direction * (result < 0 ? -1 : (result > 0 ? 1 : 0));
        }
        case kSize:
            return direction * Order(a.Size, b.Size);
        case kModified:
            return direction *
                   Order(TimestampMillisecondKey(a.Modified), TimestampMillisecondKey(b.Modified));
        default:
            return 0;
    }
}

TextSortEntry TextSortEntryOf(std::u16string_view text, std::uint32_t index) {
    // Missing units count as 0, the smallest unit, which keeps a shorter text before its
    // extensions; equal prefixes fall back to the full comparison.
    const auto size = static_cast<std::uint32_t>(
        std::min<std::size_t>(text.size(), std::numeric_limits<std::uint32_t>::max()));
    TextSortEntry entry{0, text.data(), size, index};
    entry.prefix = PrefixAt(entry, 0);
    return entry;
}

std::vector<std::uint32_t> OrderOfNumbers(std::vector<NumberSortEntry> entries) {
    if (entries.size() >= 1024) {
        RadixSort(entries);
    } else {
        std::sort(entries.begin(), entries.end(),
                  [](const NumberEntry& a, const NumberEntry& b) { return a.key < b.key; });
    }
    return IndexesOf(entries);
}

std::vector<std::uint32_t> OrderOfTexts(std::vector<TextSortEntry> entries, bool descending) {
    SortTexts(entries.data(), entries.data() + entries.size(), 0);
    // Equal texts may come in any order, so the ascending order turned round is the
    // descending one.
    if (descending) {
        std::reverse(entries.begin(), entries.end());
    }
    return IndexesOf(entries);
}

}  // namespace kestrine
