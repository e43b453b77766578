#include "search/text_pool.h"

#include <algorithm>
#include <cstring>

namespace kestrine {
namespace {

// Four code units at a time; the texts are paths, hashed once per row.
std::uint32_t HashOf(std::u16string_view text) {
    std::uint64_t hash = 0x9E3779B97F4A7C15u ^ text.size();
    const char16_t* p = text.data();
    std::size_t n = text.size();
    for (; n >= 4; n -= 4, p += 4) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof(word));
        hash = (hash ^ word) * 0xFF51AFD7ED558CCDu;
        hash ^= hash >> 32;
    }
    for (; n > 0; --n, ++p) {
        hash = (hash ^ *p) * 0xC4CEB9FE1A85EC53u;
    }
    hash ^= hash >> 29;
    return static_cast<std::uint32_t>(hash);
}

}  // namespace

std::uint32_t TextPool::Intern(std::u16string_view text) {
    const std::uint32_t hash = HashOf(text);
    if (!slots_.empty()) {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            const Slot stored = slots_[slot];
            if (stored.idPlusOne == 0) {
                break;
            }
            if (stored.hash == hash && stored.length == text.size() &&
                arena_.Text(stored.position, stored.length) == text) {
                return stored.idPlusOne - 1;
            }
        }
    }
    char16_t* room = arena_.Room(text.size());
    std::copy(text.begin(), text.end(), room);
    const auto id = static_cast<std::uint32_t>(entries_.size());
    entries_.push_back(
        Entry{arena_.Commit(text.size()), static_cast<std::uint32_t>(text.size()), hash});
    // At most half full, so that probes stay short.
    if (entries_.size() * 2 > slots_.size()) {
        Rehash(std::max<std::size_t>(64, slots_.size() * 2));
    } else {
        Insert(id);
    }
    return id;
}

void TextPool::Insert(std::uint32_t id) {
    const std::size_t mask = slots_.size() - 1;
    const Entry& entry = entries_[id];
    std::size_t slot = entry.hash & mask;
    while (slots_[slot].idPlusOne != 0) {
        slot = (slot + 1) & mask;
    }
    slots_[slot] = Slot{entry.hash, id + 1, entry.position, entry.length};
}

void TextPool::Rehash(std::size_t slotCount) {
    slots_.assign(slotCount, Slot{0, 0, 0, 0});
    for (std::size_t id = 0; id < entries_.size(); ++id) {
        Insert(static_cast<std::uint32_t>(id));
    }
}

void TextPool::Truncate(std::size_t count) {
    if (count >= entries_.size()) {
        return;
    }
    arena_.Truncate(entries_[count].position);
    entries_.resize(count);
    Rehash(slots_.size());
}

void TextPool::Clear() {
    arena_.Clear();
    entries_.clear();
    slots_.clear();
}

std::size_t TextPool::MemoryBytes() const {
    return arena_.MemoryBytes() + entries_.capacity() * sizeof(Entry) +
           slots_.capacity() * sizeof(Slot);
}

}  // namespace kestrine
