#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace kestrine {

// A sequence of small records in fixed blocks: appending never moves or copies what is
// there, and a page of a million rows wastes less than one block.
template <typename T, unsigned kBlockBits = 12>
class BlockVector {
  public:
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    const T& operator[](std::size_t index) const {
        return blocks_[index >> kBlockBits][index & kMask];
    }

    void push_back(const T& value) {
        if ((size_ >> kBlockBits) == blocks_.size()) {
            blocks_.push_back(std::make_unique_for_overwrite<T[]>(kBlockSize));
        }
        blocks_[size_ >> kBlockBits][size_ & kMask] = value;
        ++size_;
    }

    // Keeps the first count records.
    void truncate(std::size_t count) {
        if (count < size_) {
            size_ = count;
            blocks_.resize((size_ + kMask) >> kBlockBits);
        }
    }
    void clear() {
        blocks_.clear();
        size_ = 0;
    }

    std::size_t memory_bytes() const {
        return blocks_.size() * kBlockSize * sizeof(T) +
               blocks_.capacity() * sizeof(std::unique_ptr<T[]>);
    }

  private:
    static constexpr std::size_t kBlockSize = std::size_t{1} << kBlockBits;
    static constexpr std::size_t kMask = kBlockSize - 1;

    std::vector<std::unique_ptr<T[]>> blocks_;
    std::size_t size_ = 0;
};

}  // namespace kestrine
