#pragma once

#include <cstddef>
#include <vector>

#include "protocol/records.h"
#include "search/result_sort.h"

namespace kestrine {

// The current page of search hits (SearchResults) with the sort state of the result list
// (Tag). New pages arrive in the server's order and are not re-sorted; the sort state
// survives them, so the next click on the same column flips the direction last used.
class SearchResultList {
  public:
    std::size_t Count() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }
    const std::vector<TFileSearchItem>& Items() const { return items_; }
    // The hit shown in a row, or nullptr for a row the list no longer has (a late paint).
    const TFileSearchItem* Row(std::size_t row) const {
        return row < items_.size() ? &items_[row] : nullptr;
    }

    void Clear() { items_.clear(); }
    void Append(TFileSearchItem&& item) { items_.push_back(std::move(item)); }

    int Tag() const { return tag_; }

    // A click on the header of zero-based column k. Returns false, changing nothing, when
    // the list is empty; otherwise updates Tag, sorts and returns true (repaint all rows).
    bool ColumnClick(int column);

  private:
    std::vector<TFileSearchItem> items_;
    int tag_ = kUnsorted;
};

}  // namespace kestrine
