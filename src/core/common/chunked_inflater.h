#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "common/inflate.h"

namespace kestrine {

// Inflates a zlib stream (15-bit window) piece by piece, for readers that take the bytes as
// they come, so that the whole inflated answer never has to exist at once. The rules are
// InflateInPlace's: a stream that ends early ends where its input does, bytes after the end
// of the stream are ignored, a zlib failure is thrown with zlib's error text, and more than
// maxSize inflated bytes in all fail with "insufficient memory".
class ChunkedInflater {
  public:
    explicit ChunkedInflater(std::span<const std::uint8_t> compressed,
                             std::size_t maxSize = kMaxInflatedSize);
    ~ChunkedInflater();
    ChunkedInflater(const ChunkedInflater&) = delete;
    ChunkedInflater& operator=(const ChunkedInflater&) = delete;

    // Fills room with the next inflated bytes and returns how many it wrote: fewer only at
    // the end, 0 once the stream is over. room must not be empty.
    std::size_t Inflate(std::span<std::uint8_t> room);

    std::size_t TotalOut() const { return totalOut_; }

  private:
    struct Stream;
    std::unique_ptr<Stream> stream_;
    std::span<const std::uint8_t> input_;
    std::size_t inUsed_ = 0;
    std::size_t totalOut_ = 0;
    std::size_t maxSize_;
    bool ended_ = false;
};

}  // namespace kestrine
