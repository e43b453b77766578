#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace kestrine {

// UTF-16 text of a result page, kept in large blocks that never move: a view of a text stays
// valid while the page grows, growing copies nothing, and a million names cost a few dozen
// allocations instead of a million. A text is addressed by its 32-bit position.
class TextArena {
  public:
    // Room for up to units code units of the next text, in one piece.
    char16_t* Room(std::size_t units);
    // Keeps the first units written into the last Room and returns their position.
    std::uint32_t Commit(std::size_t units);

    std::u16string_view Text(std::uint32_t position, std::uint32_t length) const {
        return std::u16string_view(blocks_[position >> kBlockBits].get() + (position & kBlockMask),
                                   length);
    }

    // The position the next text would get: a mark to truncate back to.
    std::uint32_t End() const { return static_cast<std::uint32_t>(used_); }
    // Drops every text from position on.
    void Truncate(std::uint32_t position);
    void Clear();

    std::size_t MemoryBytes() const;

  private:
    // The index of the block texts are added to, or blocks_.size() when there is none.
    std::size_t LastBlock() const;

    static constexpr unsigned kBlockBits = 16;
    static constexpr std::size_t kBlockUnits = std::size_t{1} << kBlockBits;
    static constexpr std::size_t kBlockMask = kBlockUnits - 1;

    // blocks_[i] holds positions from i * kBlockUnits on; a text longer than a block gets a
    // block of its own size, and the slots it reaches into stay empty.
    std::vector<std::unique_ptr<char16_t[]>> blocks_;
    std::vector<std::size_t> blockUnits_;
    std::uint64_t used_ = 0;
};

}  // namespace kestrine
