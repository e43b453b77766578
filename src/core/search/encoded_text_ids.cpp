#include "search/encoded_text_ids.h"

#include <cstring>
#include <utility>

namespace kestrine {
namespace {

constexpr std::size_t kFirstSlots = 64;
// 4 MB at most: room for tens of thousands of distinct folders, while a page of a million
// distinct ones does not double the memory reading takes.
constexpr std::size_t kMaxSlots = std::size_t{1} << 16;

// At most seven tenths full, so that probes stay within a few neighbouring lines.
bool TooFull(std::size_t count, std::size_t slots) {
    return count * 10 > slots * 7;
}

}  // namespace

std::uint32_t EncodedTextIds::HashOf(std::uint8_t tag, const std::uint8_t* bytes,
                                     std::size_t size) {
    std::uint64_t hash = 0x9E3779B97F4A7C15u ^ (size << 8) ^ tag;
    for (; size >= 8; size -= 8, bytes += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes, sizeof(word));
        hash = (hash ^ word) * 0xFF51AFD7ED558CCDu;
        hash ^= hash >> 32;
    }
    if (size > 0) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes, size);
        hash = (hash ^ word) * 0xC4CEB9FE1A85EC53u;
    }
    hash ^= hash >> 29;
    return static_cast<std::uint32_t>(hash);
}

void EncodedTextIds::Prefetch(std::uint32_t hash) const {
#if defined(__GNUC__)
    if (!slots_.empty()) {
        __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]);
    }
#else
    (void)hash;
#endif
}

std::optional<std::uint32_t> EncodedTextIds::Find(std::uint32_t hash, std::uint8_t tag,
                                                  const std::uint8_t* bytes,
                                                  std::size_t size) const {
    if (slots_.empty() || size > kMaxKeyBytes) {
        return std::nullopt;
    }
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.size == kEmpty) {
            return std::nullopt;
        }
        if (slot.hash == hash && slot.size == size && slot.tag == tag &&
            std::memcmp(slot.bytes, bytes, size) == 0) {
            return slot.id;
        }
    }
}

void EncodedTextIds::Add(std::uint32_t hash, std::uint8_t tag, const std::uint8_t* bytes,
                         std::size_t size, std::uint32_t id) {
    if (size > kMaxKeyBytes) {
        return;
    }
    if (TooFull(count_ + 1, slots_.size())) {
        if (slots_.size() >= kMaxSlots) {
            return;
        }
        const std::vector<Slot> previous = std::exchange(
            slots_, std::vector<Slot>(slots_.empty() ? kFirstSlots : slots_.size() * 2));
        for (const Slot& slot : previous) {
            if (slot.size != kEmpty) {
                Place(slot);
            }
        }
    }
    Slot slot;
    slot.hash = hash;
    slot.id = id;
    slot.size = static_cast<std::uint8_t>(size);
    slot.tag = tag;
    std::memcpy(slot.bytes, bytes, size);
    Place(slot);
    ++count_;
}

void EncodedTextIds::Place(const Slot& slot) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = slot.hash & mask;
    while (slots_[at].size != kEmpty) {
        at = (at + 1) & mask;
    }
    slots_[at] = slot;
}

}  // namespace kestrine
