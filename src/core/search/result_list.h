#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "protocol/records.h"
#include "search/block_vector.h"
#include "search/result_sort.h"
#include "search/text_arena.h"
#include "search/text_pool.h"

namespace kestrine {

// The current page of search hits (SearchResults) with the sort state of the result list
// (Tag). New pages arrive in the server's order and are not re-sorted; the sort state
// survives them, so the next click on the same column flips the direction last used.
//
// A page of a million hits must stay smaller than the answer it came from and be built
// without an allocation per row: file names lie in one text arena, each distinct computer
// and folder is kept once, and a row is a small fixed record of positions and numbers.
// Sorting reorders an index of the rows, never the records.
class SearchResultList {
  public:
    std::size_t Count() const { return records_.size(); }
    bool Empty() const { return records_.empty(); }

    // The hit shown in a row, or nothing for a row the list no longer has (a late paint).
    std::optional<SearchHitView> Row(std::size_t row) const {
        if (row >= records_.size()) {
            return std::nullopt;
        }
        return Hit(order_.empty() ? row : order_[row]);
    }

    // Calls visit(const SearchHitView&) for every hit in row order.
    template <typename Visit>
    void ForEachRow(Visit&& visit) const {
        const std::size_t count = records_.size();
        for (std::size_t row = 0; row < count; ++row) {
            visit(Hit(order_.empty() ? row : order_[row]));
        }
    }

    // The same with the row's computer and folder as ids among the page's shared texts
    // (SharedText): equal ids, equal texts. For work done once per distinct text.
    struct RowWithSharedIds {
        std::u16string_view FileName;
        std::uint32_t Computer = 0;
        std::uint32_t Folder = 0;
        std::int64_t Size = 0;
        Timestamp Modified = 0;
    };
    template <typename Visit>
    void ForEachRowWithSharedIds(Visit&& visit) const {
        const std::size_t count = records_.size();
        for (std::size_t row = 0; row < count; ++row) {
            const Record& r = records_[order_.empty() ? row : order_[row]];
            visit(RowWithSharedIds{names_.Text(r.name, r.nameLength), r.computer, r.folder, r.size,
                                   r.modified});
        }
    }
    std::size_t SharedTextCount() const { return shared_.Count(); }
    std::u16string_view SharedText(std::uint32_t id) const { return shared_.Text(id); }

    // Empties the page; the sort state stays.
    void Clear();
    // Adds a hit as the last row.
    void Append(const SearchHitView& hit);
    // Takes the rows of a page read elsewhere, in their order; the sort state stays.
    void TakeRows(SearchResultList&& page);

    // Building rows in place, for the answer reader: the file name is written into NameRoom,
    // the computer and folder are interned once, then AppendRow takes the numbers.
    char16_t* NameRoom(std::size_t units) { return names_.Room(units); }
    std::uint32_t InternText(std::u16string_view text) { return shared_.Intern(text); }
    void AppendRow(std::size_t nameUnits, std::uint32_t computer, std::uint32_t folder,
                   std::int64_t size, Timestamp modified, std::int32_t attributes);

    // What the page holds at one moment, to give up everything added after it.
    struct Mark {
        std::size_t rows = 0;
        std::size_t texts = 0;
    };
    Mark Position() const { return Mark{records_.size(), shared_.Count()}; }
    void RollBack(const Mark& mark);

    int Tag() const { return tag_; }

    // A click on the header of zero-based column k. Returns false, changing nothing, when
    // the list is empty; otherwise updates Tag, sorts and returns true (repaint all rows).
    bool ColumnClick(int column);

    // The bytes the page holds, for the benchmarks.
    std::size_t MemoryBytes() const;

  private:
    struct Record {
        std::uint32_t name;  // position in names_
        std::uint32_t nameLength;
        std::uint32_t computer;  // ids in shared_
        std::uint32_t folder;
        std::int32_t attributes;
        std::int64_t size;
        Timestamp modified;
    };

    SearchHitView Hit(std::size_t index) const {
        const Record& r = records_[index];
        return SearchHitView(shared_.Text(r.computer), shared_.Text(r.folder),
                             names_.Text(r.name, r.nameLength), r.size, r.modified, r.attributes);
    }
    std::vector<std::uint32_t> SortedOrder(int tag) const;

    TextArena names_;
    TextPool shared_;
    BlockVector<Record> records_;       // in the order received
    std::vector<std::uint32_t> order_;  // row -> record; empty while rows are in that order
    int tag_ = kUnsorted;
};

}  // namespace kestrine
