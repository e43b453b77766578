#include "search/text_arena.h"

#include <limits>

#include "common/failure.h"

namespace kestrine {

char16_t* TextArena::Room(std::size_t units) {
    if (const std::size_t last = LastBlock(); last < blocks_.size()) {
        const std::uint64_t start = static_cast<std::uint64_t>(last) << kBlockBits;
        if (start + blockUnits_[last] - used_ >= units) {
            return blocks_[last].get() + (used_ - start);
        }
    }
    // A fresh block after the last one.
    const std::uint64_t start = static_cast<std::uint64_t>(blocks_.size()) << kBlockBits;
    const std::size_t size = units > kBlockUnits ? units : kBlockUnits;
    const std::uint64_t slots = (static_cast<std::uint64_t>(size) + kBlockMask) >> kBlockBits;
    // Positions are 32-bit: an answer within the inflated-size bound never comes near.
    if (start + (slots << kBlockBits) > std::numeric_limits<std::uint32_t>::max()) {
        throw Failure(u"insufficient memory");
    }
    const std::size_t block = blocks_.size();
    blocks_.resize(block + static_cast<std::size_t>(slots));
    blockUnits_.resize(blocks_.size(), 0);
    blocks_[block] = std::make_unique_for_overwrite<char16_t[]>(size);
    blockUnits_[block] = size;
    used_ = start;
    return blocks_[block].get();
}

std::uint32_t TextArena::Commit(std::size_t units) {
    const auto position = static_cast<std::uint32_t>(used_);
    used_ += units;
    return position;
}

std::size_t TextArena::LastBlock() const {
    std::size_t block = blocks_.size();
    while (block > 0 && !blocks_[block - 1]) {
        --block;
    }
    return block == 0 ? blocks_.size() : block - 1;
}

void TextArena::Truncate(std::uint32_t position) {
    if (position >= used_) {
        return;
    }
    // Blocks that start at or after the new end held only dropped texts.
    for (std::size_t last = LastBlock();
         last < blocks_.size() && (static_cast<std::uint64_t>(last) << kBlockBits) >= position;
         last = LastBlock()) {
        blocks_.resize(last);
        blockUnits_.resize(last);
    }
    used_ = position;
}

void TextArena::Clear() {
    blocks_.clear();
    blockUnits_.clear();
    used_ = 0;
}

std::size_t TextArena::MemoryBytes() const {
    std::size_t bytes = blocks_.capacity() * (sizeof(blocks_[0]) + sizeof(std::size_t));
    for (std::size_t units : blockUnits_) {
        bytes += units * sizeof(char16_t);
    }
    return bytes;
}

}  // namespace kestrine
