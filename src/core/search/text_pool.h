#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "search/text_arena.h"

namespace kestrine {

// Texts kept once per distinct value (the computers and folders of a page: a few thousand
// values shared by a million rows), each known by a small id. Two ids never name equal texts.
class TextPool {
  public:
    std::uint32_t Intern(std::u16string_view text);

    std::u16string_view Text(std::uint32_t id) const {
        const Entry& entry = entries_[id];
        return arena_.Text(entry.position, entry.length);
    }
    std::size_t Count() const { return entries_.size(); }

    // Forgets the texts interned after the first count.
    void Truncate(std::size_t count);
    void Clear();

    std::size_t MemoryBytes() const;

  private:
    struct Entry {
        std::uint32_t position;
        std::uint32_t length;
        std::uint32_t hash;
    };
    // A slot carries the hash beside the id, so that a probe past other texts reads only the
    // table and the one text it compares: a page of a million rows interns twice per row, and
    // a miss into memory costs more than the comparison itself.
    struct Slot {
        std::uint32_t hash;
        std::uint32_t idPlusOne;  // 0 for an empty slot
        std::uint32_t position;
        std::uint32_t length;
    };

    void Insert(std::uint32_t id);
    void Rehash(std::size_t slotCount);

    TextArena arena_;
    std::vector<Entry> entries_;
    // Open addressing over a power-of-two table, at most half full.
    std::vector<Slot> slots_;
};

}  // namespace kestrine
