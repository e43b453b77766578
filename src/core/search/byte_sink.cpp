#include "search/byte_sink.h"

#include <algorithm>

namespace kestrine {

// Room for the longest encoding of one code point.
constexpr std::size_t kMinimumCapacity = 16;

BufferedByteWriter::BufferedByteWriter(ByteSink& sink, std::size_t capacity)
    : sink_(sink), buffer_(std::max(capacity, kMinimumCapacity)) {}

void BufferedByteWriter::Drain() {
    if (used_ > 0) {
        const std::size_t count = used_;
        // Emptied first: after a failed write the writer holds nothing stale.
        used_ = 0;
        sink_.Write(std::span<const std::uint8_t>(buffer_.data(), count));
    }
}

void BufferedByteWriter::Reserve(std::size_t bytes) {
    if (buffer_.size() - used_ < bytes) {
        Drain();
    }
}

void BufferedByteWriter::Flush() {
    Drain();
}

void BufferedByteWriter::PutAscii(std::string_view ascii) {
    for (char c : ascii) {
        Put(static_cast<std::uint8_t>(c));
    }
}

void BufferedByteWriter::PutUtf8(std::u16string_view text) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        // Up to 3 bytes per code unit; a surrogate pair gives 4 for 2 units.
        const std::size_t chunk = std::min(n - i, (buffer_.size() - kMinimumCapacity) / 3);
        Reserve(chunk * 3 + kMinimumCapacity);
        std::uint8_t* out = buffer_.data() + used_;
        const std::size_t end = i + std::max<std::size_t>(chunk, 1);
        while (i < end) {
            const char32_t c = text[i++];
            if (c < 0x80) {
                *out++ = static_cast<std::uint8_t>(c);
                continue;
            }
            if (c < 0x800) {
                *out++ = static_cast<std::uint8_t>(0xC0 | (c >> 6));
                *out++ = static_cast<std::uint8_t>(0x80 | (c & 0x3F));
                continue;
            }
            char32_t cp = c;
            if (c >= 0xD800 && c <= 0xDFFF) {
                if (c <= 0xDBFF && i < n && text[i] >= 0xDC00 && text[i] <= 0xDFFF) {
                    cp = 0x10000 + ((c - 0xD800) << 10) + (text[i++] - 0xDC00);
                } else {
                    cp = 0xFFFD;
                }
            }
            if (cp < 0x10000) {
                *out++ = static_cast<std::uint8_t>(0xE0 | (cp >> 12));
                *out++ = static_cast<std::uint8_t>(0x80 | ((cp >> 6) & 0x3F));
                *out++ = static_cast<std::uint8_t>(0x80 | (cp & 0x3F));
            } else {
                *out++ = static_cast<std::uint8_t>(0xF0 | (cp >> 18));
                *out++ = static_cast<std::uint8_t>(0x80 | ((cp >> 12) & 0x3F));
                *out++ = static_cast<std::uint8_t>(0x80 | ((cp >> 6) & 0x3F));
                *out++ = static_cast<std::uint8_t>(0x80 | (cp & 0x3F));
            }
        }
        used_ = static_cast<std::size_t>(out - buffer_.data());
    }
}

}  // namespace kestrine
