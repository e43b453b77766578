#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kestrine {

// The ids of texts a reader has interned already, found by the bytes the texts came in (their
// tag and encoded bytes): a page's computers and folders repeat over a million rows in any
// order, and a repeated one is then known without decoding, widening or hashing it as UTF-16.
// Equal bytes under one tag always decode to the same text, so the id is the one the pool
// would give. A text is found within one cache line, its bytes stored beside its id; texts too
// long for that, and texts past a bound on the table, are simply not kept.
//
// The table is larger than the processor's nearer caches, so a lookup mostly waits for memory:
// a reader that knows its next lookups hashes them first and prefetches their slots, so that
// the waits overlap.
class EncodedTextIds {
  public:
    static std::uint32_t HashOf(std::uint8_t tag, const std::uint8_t* bytes, std::size_t size);
    void Prefetch(std::uint32_t hash) const;

    // hash is HashOf(tag, bytes, size).
    std::optional<std::uint32_t> Find(std::uint32_t hash, std::uint8_t tag,
                                      const std::uint8_t* bytes, std::size_t size) const;
    void Add(std::uint32_t hash, std::uint8_t tag, const std::uint8_t* bytes, std::size_t size,
             std::uint32_t id);

  private:
    static constexpr std::size_t kSlotBytes = 64;
    static constexpr std::size_t kMaxKeyBytes = kSlotBytes - 11;
    static constexpr std::uint8_t kEmpty = 0xFF;

    struct alignas(kSlotBytes) Slot {
        std::uint32_t hash;
        std::uint32_t id;
        std::uint8_t size = kEmpty;
        std::uint8_t tag;
        std::uint8_t bytes[kMaxKeyBytes];
    };
    static_assert(sizeof(Slot) == kSlotBytes);

    void Place(const Slot& slot);

    // Open addressing over a power-of-two table.
    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

}  // namespace kestrine
