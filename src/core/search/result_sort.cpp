#include "search/result_sort.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string_view>

#include "common/timestamp.h"

namespace kestrine {
namespace {

enum Column { kFileName = 1, kFolder, kComputer, kSize, kModified };

const std::u16string& TextOf(const TFileSearchItem& item, int column) {
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

// Sorting moves small entries holding the key and the record's index, then moves every
// record once into its place; moving the records themselves at every step costs far more.

// Signed keys map to unsigned ones in the same order; a descending sort inverts them, so
// that one ascending comparison of plain integers serves both directions.
struct NumberEntry {
    std::uint64_t key;
    std::uint32_t index;
};

std::uint64_t NumberKey(std::int64_t value, bool descending) {
    const std::uint64_t key = static_cast<std::uint64_t>(value) ^ (std::uint64_t{1} << 63);
    return descending ? ~key : key;
}

// The first four code units packed into one integer decide most comparisons without
// touching the text. Missing units count as 0, the smallest unit, which keeps a shorter text
// before its extensions; equal prefixes fall back to the full comparison.
struct TextEntry {
    std::uint64_t prefix;
    const char16_t* data;
    std::uint32_t size;
    std::uint32_t index;
};

std::uint64_t TextPrefix(const std::u16string& text) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        prefix = (prefix << 16) | (i < text.size() ? text[i] : 0);
    }
    return prefix;
}

bool TextLess(const TextEntry& a, const TextEntry& b) {
    if (a.prefix != b.prefix) {
        return a.prefix < b.prefix;
    }
    // Equal prefixes mean the units both texts have among the first four are equal.
    const std::uint32_t skip = std::min<std::uint32_t>({4, a.size, b.size});
    return std::u16string_view(a.data + skip, a.size - skip) <
           std::u16string_view(b.data + skip, b.size - skip);
}

// Applies order (order[i] is the old index of the record that belongs at i) by following
// each cycle once, marking finished positions.
void Permute(std::vector<TFileSearchItem>& items, std::vector<std::uint32_t>& order) {
    constexpr std::uint32_t kDone = std::numeric_limits<std::uint32_t>::max();
    for (std::uint32_t start = 0; start < order.size(); ++start) {
        if (order[start] == kDone) {
            continue;
        }
        if (order[start] == start) {
            order[start] = kDone;
            continue;
        }
        TFileSearchItem held = std::move(items[start]);
        std::uint32_t at = start;
        for (;;) {
            const std::uint32_t from = order[at];
            order[at] = kDone;
            if (from == start) {
                items[at] = std::move(held);
                break;
            }
            items[at] = std::move(items[from]);
            at = from;
        }
    }
}

template <typename Entry, typename Less>
void SortByEntries(std::vector<TFileSearchItem>& items, std::vector<Entry>& entries, Less less) {
    std::sort(entries.begin(), entries.end(), less);
    std::vector<std::uint32_t> order(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        order[i] = entries[i].index;
    }
    Permute(items, order);
}

}  // namespace

int NextSortTag(int tag, int column) {
    const int sortColumn = column + 1;
    return std::abs(tag) == sortColumn ? -tag : sortColumn;
}

int CompareSearchItems(const TFileSearchItem& a, const TFileSearchItem& b, int tag) {
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

void SortSearchItems(std::vector<TFileSearchItem>& items, int tag) {
    const int column = std::abs(tag);
    if (column < kFileName || column > kModified || items.size() < 2) {
        return;
    }
    const bool descending = tag < 0;
    // The index entries hold 32-bit positions; a page beyond that (never seen in practice)
    // is sorted record by record.
    if (items.size() >= std::numeric_limits<std::uint32_t>::max()) {
        std::sort(items.begin(), items.end(), [tag](const auto& a, const auto& b) {
            return CompareSearchItems(a, b, tag) < 0;
        });
        return;
    }

    if (column == kSize || column == kModified) {
        std::vector<NumberEntry> entries(items.size());
        for (std::uint32_t i = 0; i < entries.size(); ++i) {
            const std::int64_t value =
                column == kSize ? items[i].Size : TimestampMillisecondKey(items[i].Modified);
            entries[i] = {NumberKey(value, descending), i};
        }
        SortByEntries(items, entries,
                      [](const NumberEntry& a, const NumberEntry& b) { return a.key < b.key; });
        return;
    }

    std::vector<TextEntry> entries(items.size());
    for (std::uint32_t i = 0; i < entries.size(); ++i) {
        const std::u16string& text = TextOf(items[i], column);
        const auto size = static_cast<std::uint32_t>(
            std::min<std::size_t>(text.size(), std::numeric_limits<std::uint32_t>::max()));
        entries[i] = {TextPrefix(text), text.data(), size, i};
    }
    if (descending) {
        SortByEntries(items, entries,
                      [](const TextEntry& a, const TextEntry& b) { return TextLess(b, a); });
    } else {
        SortByEntries(items, entries, TextLess);
    }
}

}  // namespace kestrine
