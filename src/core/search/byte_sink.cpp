#include "search/byte_sink.h"

#include <algorithm>
#include <bit>

#include "common/sse2.h"

namespace kestrine {
namespace {

// Room for the longest output of one step of the encoder (a surrogate pair), with margin.
constexpr std::size_t kSlack = 16;

// Four code units at once, when all are ASCII (and no quote, where quotes are doubled).
template <bool kDoubleQuotes>
bool PlainAsciiQuad(const char16_t* p) {
    const std::uint64_t v = std::uint64_t{p[0]} | (std::uint64_t{p[1]} << 16) |
                            (std::uint64_t{p[2]} << 32) | (std::uint64_t{p[3]} << 48);
    if ((v & 0xFF80FF80FF80FF80u) != 0) {
        return false;
    }
    if (kDoubleQuotes) {
        // A lane equal to '"' becomes 0 here; the usual zero-lane test finds it.
        const std::uint64_t x = v ^ 0x0022002200220022u;
        if (((x - 0x0001000100010001u) & ~x & 0x8000800080008000u) != 0) {
            return false;
        }
    }
    return true;
}

// Encodes from p up to stop, or one unit past stop to finish a surrogate pair (end bounds
// that); every code unit takes at most 3 bytes, a quote written twice 2.
#if KESTRINE_HAVE_SSE2
// Which of eight units are plain (ASCII, and no quote where quotes are doubled): two mask bits
// per unit.
template <bool kDoubleQuotes>
unsigned PlainMask(__m128i units) {
    __m128i plain = _mm_cmpeq_epi16(
        _mm_and_si128(units, _mm_set1_epi16(static_cast<short>(0xFF80))), _mm_setzero_si128());
    if (kDoubleQuotes) {
        plain = _mm_andnot_si128(_mm_cmpeq_epi16(units, _mm_set1_epi16(u'"')), plain);
    }
    return static_cast<unsigned>(_mm_movemask_epi8(plain));
}
#endif

template <bool kDoubleQuotes>
std::uint8_t* Encode(const char16_t*& p, const char16_t* stop, const char16_t* end,
                     std::uint8_t* out) {
#if KESTRINE_HAVE_SSE2
    // Set once eight plain units were just packed: a tail of fewer than eight is then taken
    // as the last eight units, the ones it shares with that block written again unchanged.
    bool afterPlainBlock = false;
#endif
    while (p < stop) {
#if KESTRINE_HAVE_SSE2
        // Eight units at once: all plain ones are packed to bytes; otherwise the plain ones
        // before the first other unit are kept. The 8-byte store stays within the room of
        // 3 bytes per unit that the caller provides.
        if (stop - p >= 8) {
            const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const unsigned mask = PlainMask<kDoubleQuotes>(units);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(units, units));
            if (mask == 0xFFFF) {
                p += 8;
                out += 8;
                afterPlainBlock = true;
                continue;
            }
            const int count = std::countr_zero(~mask) / 2;
            p += count;
            out += count;
            afterPlainBlock = false;
        } else if (afterPlainBlock) {
            afterPlainBlock = false;
            const auto tail = stop - p;
            const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(stop - 8));
            if (PlainMask<kDoubleQuotes>(units) == 0xFFFF) {
                _mm_storel_epi64(reinterpret_cast<__m128i*>(out - (8 - tail)),
                                 _mm_packus_epi16(units, units));
                p = stop;
                out += tail;
                continue;
            }
        } else
#endif
            if (stop - p >= 4 && PlainAsciiQuad<kDoubleQuotes>(p)) {
            out[0] = static_cast<std::uint8_t>(p[0]);
            out[1] = static_cast<std::uint8_t>(p[1]);
            out[2] = static_cast<std::uint8_t>(p[2]);
            out[3] = static_cast<std::uint8_t>(p[3]);
            out += 4;
            p += 4;
            continue;
        }
        const char32_t c = *p++;
        if (c < 0x80) {
            *out++ = static_cast<std::uint8_t>(c);
            if (kDoubleQuotes && c == u'"') {
                *out++ = '"';
            }
            continue;
        }
        if (c < 0x800) {
            *out++ = static_cast<std::uint8_t>(0xC0 | (c >> 6));
            *out++ = static_cast<std::uint8_t>(0x80 | (c & 0x3F));
            continue;
        }
        char32_t cp = c;
        if (c >= 0xD800 && c <= 0xDFFF) {
            if (c <= 0xDBFF && p < end && *p >= 0xDC00 && *p <= 0xDFFF) {
                cp = 0x10000 + ((c - 0xD800) << 10) + (*p++ - 0xDC00);
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
    return out;
}

}  // namespace

std::uint8_t* EncodeUtf8(std::u16string_view text, bool doubleQuotes, std::uint8_t* out) {
    const char16_t* p = text.data();
    const char16_t* const end = p + text.size();
    return doubleQuotes ? Encode<true>(p, end, end, out) : Encode<false>(p, end, end, out);
}

BufferedByteWriter::BufferedByteWriter(ByteSink& sink, std::size_t capacity)
    : sink_(sink), buffer_(std::max(capacity, kSlack + 3)) {}

void BufferedByteWriter::Drain() {
    if (used_ > 0) {
        const std::size_t count = used_;
        // Emptied first: after a failed write the writer holds nothing stale.
        used_ = 0;
        sink_.Write(std::span<const std::uint8_t>(buffer_.data(), count));
    }
}

void BufferedByteWriter::PutLongBytes(std::string_view bytes) {
    for (char c : bytes) {
        Put(static_cast<std::uint8_t>(c));
    }
}

template <bool kDoubleQuotes>
void BufferedByteWriter::PutText(std::u16string_view text) {
    const char16_t* p = text.data();
    const char16_t* const end = p + text.size();
    while (p != end) {
        // Whatever room is left takes as many units as fit in the worst case; a nearly full
        // buffer is drained first, so that every round makes progress.
        if (buffer_.size() - used_ < kSlack + 3) {
            Drain();
        }
        const auto units = std::min<std::size_t>(static_cast<std::size_t>(end - p),
                                                 (buffer_.size() - used_ - kSlack) / 3);
        std::uint8_t* const start = buffer_.data() + used_;
        used_ += static_cast<std::size_t>(Encode<kDoubleQuotes>(p, p + units, end, start) - start);
    }
}

template void BufferedByteWriter::PutText<false>(std::u16string_view);
template void BufferedByteWriter::PutText<true>(std::u16string_view);

}  // namespace kestrine
