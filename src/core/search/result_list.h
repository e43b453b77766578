#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "protocol/records.h"
#include "search/result_sort.h"

namespace kestrine {

// The current page of search hits (SearchResults) with the sort state of the result list
// (Tag). New pages arrive in the server's order and are not re-sorted; the sort state
// survives them, so the next click on the same column flips the direction last used.
// Sorting reorders an index of the rows rather than the records, which stay where they were
// received: moving a million records costs several times the sort itself.
class SearchResultList {
  public:
    std::size_t Count() const { return records_.size(); }
    bool Empty() const { return records_.empty(); }

    // The hit shown in a row, or nullptr for a row the list no longer has (a late paint).
    const TFileSearchItem* Row(std::size_t row) const {
        if (row >= records_.size()) {
            return nullptr;
        }
        return &records_[order_.empty() ? row : order_[row]];
    }

    // Calls visit(const TFileSearchItem&) for every hit in row order.
    template <typename Visit>
    void ForEachRow(Visit&& visit) const {
        if (order_.empty()) {
            for (const TFileSearchItem& item : records_) {
                visit(item);
            }
        } else {
            for (std::uint32_t index : order_) {
                visit(records_[index]);
            }
        }
    }

    void Clear() {
        records_.clear();
        order_.clear();
    }
    // Adds a hit as the last row.
    void Append(TFileSearchItem&& item);
    // Takes the rows of a page read elsewhere, in their order; the sort state stays.
    void TakeRows(SearchResultList&& page);

    int Tag() const { return tag_; }

    // A click on the header of zero-based column k. Returns false, changing nothing, when
    // the list is empty; otherwise updates Tag, sorts and returns true (repaint all rows).
    bool ColumnClick(int column);

  private:
    std::vector<TFileSearchItem> records_;  // in the order received
    std::vector<std::uint32_t> order_;      // row -> record; empty while rows are in that order
    int tag_ = kUnsorted;
};

}  // namespace kestrine
