#include "search/result_list.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <numeric>

#include "common/failure.h"
#include "common/timestamp.h"

namespace kestrine {

void SearchResultList::Clear() {
    names_.Clear();
    shared_.Clear();
    records_.clear();
    order_.clear();
    order_.shrink_to_fit();
}

void SearchResultList::Append(const SearchHitView& hit) {
    const std::uint32_t computer = InternText(hit.Computer);
    const std::uint32_t folder = InternText(hit.Folder);
    std::copy(hit.FileName.begin(), hit.FileName.end(), NameRoom(hit.FileName.size()));
    AppendRow(hit.FileName.size(), computer, folder, hit.Size, hit.Modified, hit.Attributes);
}

void SearchResultList::AppendRow(std::size_t nameUnits, std::uint32_t computer,
                                 std::uint32_t folder, std::int64_t size, Timestamp modified,
                                 std::int32_t attributes) {
    // Row numbers are 32-bit in the sort index; far beyond any page a server sends.
    if (records_.size() >= std::numeric_limits<std::uint32_t>::max() - 1) {
        throw Failure(u"insufficient memory");
    }
    if (!order_.empty()) {
        order_.push_back(static_cast<std::uint32_t>(records_.size()));
    }
    records_.push_back(Record{names_.Commit(nameUnits), static_cast<std::uint32_t>(nameUnits),
                              computer, folder, attributes, size, modified});
}

void SearchResultList::RollBack(const Mark& mark) {
    if (mark.rows < records_.size()) {
        names_.Truncate(records_[mark.rows].name);
        records_.truncate(mark.rows);
        if (!order_.empty()) {
            // Rows added after a sort sit at the end of the index, in the order received.
            order_.resize(mark.rows);
        }
    }
    shared_.Truncate(mark.texts);
}

void SearchResultList::TakeRows(SearchResultList&& page) {
    // Views into the texts stay valid: the blocks move, their contents never do.
    names_ = std::move(page.names_);
    shared_ = std::move(page.shared_);
    records_ = std::move(page.records_);
    order_ = std::move(page.order_);
    page.Clear();
}

bool SearchResultList::ColumnClick(int column) {
    if (records_.empty()) {
        return false;
    }
    tag_ = NextSortTag(tag_, column);
    order_ = SortedOrder(tag_);
    return true;
}

std::vector<std::uint32_t> SearchResultList::SortedOrder(int tag) const {
    const auto count = static_cast<std::uint32_t>(records_.size());
    const bool descending = tag < 0;
    switch (std::abs(tag)) {
        case 1: {
            std::vector<TextSortEntry> entries(count);
            for (std::uint32_t i = 0; i < count; ++i) {
                const Record& r = records_[i];
                entries[i] = TextSortEntryOf(names_.Text(r.name, r.nameLength), i);
            }
            return OrderOfTexts(std::move(entries), descending);
        }
        case 2:
        case 3: {
            // Computers and folders are few: sort the distinct texts once, then the rows by
            // the rank of theirs, an integer sort. Ids name distinct texts, so equal ranks
            // are equal texts.
            std::vector<std::uint32_t> ids(shared_.Count());
            std::iota(ids.begin(), ids.end(), 0u);
            std::sort(ids.begin(), ids.end(), [this](std::uint32_t a, std::uint32_t b) {
                return shared_.Text(a) < shared_.Text(b);
            });
            std::vector<std::uint32_t> rank(ids.size());
            for (std::uint32_t i = 0; i < ids.size(); ++i) {
                rank[ids[i]] = i;
            }
            const bool byFolder = std::abs(tag) == 2;
            std::vector<NumberSortEntry> entries(count);
            for (std::uint32_t i = 0; i < count; ++i) {
                const Record& r = records_[i];
                entries[i] =
                    NumberSortEntryOf(rank[byFolder ? r.folder : r.computer], i, descending);
            }
            return OrderOfNumbers(std::move(entries));
        }
        case 4:
        case 5: {
            const bool bySize = std::abs(tag) == 4;
            std::vector<NumberSortEntry> entries(count);
            for (std::uint32_t i = 0; i < count; ++i) {
                const Record& r = records_[i];
                entries[i] = NumberSortEntryOf(
                    bySize ? r.size : TimestampMillisecondKey(r.modified), i, descending);
            }
            return OrderOfNumbers(std::move(entries));
        }
        default: {
            std::vector<std::uint32_t> order(count);
            std::iota(order.begin(), order.end(), 0u);
            return order;
        }
    }
}

std::size_t SearchResultList::MemoryBytes() const {
    return names_.MemoryBytes() + shared_.MemoryBytes() + records_.memory_bytes() +
           order_.capacity() * sizeof(std::uint32_t);
}

}  // namespace kestrine
