#include "search/search_answer_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "common/chunked_inflater.h"
#include "common/utf8_decode.h"
#include "platform/ansi_code_page.h"
#include "protocol/layout_constants.h"
#include "protocol/value_tag.h"

#include "common/sse2.h"

namespace kestrine {
namespace {

// A window this large holds hundreds of rows, so a row cut by a window's end is rare.
constexpr std::size_t kWindowChunk = std::size_t{256} << 10;
// Enough rows for their lookups to overlap, few enough to stay in the nearest cache.
constexpr std::size_t kBatchRows = 16;

[[noreturn]] void FailInvalidValue() {
    throw Failure(u"Invalid property value");
}

std::uint64_t LittleEndian(const std::uint8_t* p, std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t i = count; i > 0; --i) {
        value = (value << 8) | p[i - 1];
    }
    return value;
}

// The value readers below take one value from [p, end) and move p past it, or return false,
// leaving p alone, when the bytes end inside the value. A tag the read does not accept is a
// failure as soon as the tag is there, as in ValueReader.

bool TakeInteger(const std::uint8_t*& p, const std::uint8_t* end, bool int64Accepted,
                 std::int64_t& value) {
    if (p == end) {
        return false;
    }
    std::size_t size;
    switch (static_cast<ValueTag>(*p)) {
        case ValueTag::Int8:
            size = 1;
            break;
        case ValueTag::Int16:
            size = 2;
            break;
        case ValueTag::Int32:
            size = 4;
            break;
        case ValueTag::Int64:
            if (!int64Accepted) {
                FailInvalidValue();
            }
            size = 8;
            break;
        default:
            FailInvalidValue();
    }
    if (static_cast<std::size_t>(end - p) - 1 < size) {
        return false;
    }
    const std::uint64_t bits = LittleEndian(p + 1, size);
    switch (size) {
        case 1:
            value = static_cast<std::int8_t>(bits);
            break;
        case 2:
            value = static_cast<std::int16_t>(bits);
            break;
        case 4:
            value = static_cast<std::int32_t>(bits);
            break;
        default:
            value = static_cast<std::int64_t>(bits);
            break;
    }
    p += 1 + size;
    return true;
}

bool TakeInt32(const std::uint8_t*& p, const std::uint8_t* end, std::int32_t& value) {
    std::int64_t wide;
    if (!TakeInteger(p, end, false, wide)) {
        return false;
    }
    value = static_cast<std::int32_t>(wide);
    return true;
}

bool TakeDate(const std::uint8_t*& p, const std::uint8_t* end, Timestamp& value) {
    if (p == end) {
        return false;
    }
    if (static_cast<ValueTag>(*p) == ValueTag::Date) {
        if (end - p < 9) {
            return false;
        }
        const std::uint64_t bits = LittleEndian(p + 1, 8);
        static_assert(sizeof(value) == sizeof(bits));
        std::memcpy(&value, &bits, sizeof(value));
        p += 9;
        return true;
    }
    std::int64_t number;
    if (!TakeInteger(p, end, true, number)) {
        return false;
    }
    value = static_cast<Timestamp>(number);
    return true;
}

}  // namespace

// A string value as it lies in the stream.
struct SearchLayoutParser::Text {
    ValueTag tag;
    const std::uint8_t* data;
    std::size_t size;
    std::uint32_t hash;  // EncodedTextIds::HashOf, for a computer or a folder
};

// A row whose values have all arrived, not yet in the page.
struct SearchLayoutParser::Row {
    Text folder;
    Text name;
    Text computer;
    std::int64_t size;
    Timestamp modified;
    std::int32_t attributes;
};

namespace {

bool TakeString(const std::uint8_t*& p, const std::uint8_t* end, ValueTag& tag,
                const std::uint8_t*& data, std::size_t& size) {
    if (p == end) {
        return false;
    }
    tag = static_cast<ValueTag>(*p);
    const auto left = static_cast<std::size_t>(end - p) - 1;
    std::size_t header;
    switch (tag) {
        case ValueTag::ShortString:
            if (left < 1) {
                return false;
            }
            header = 1;
            size = p[1];
            break;
        case ValueTag::LongString:
        case ValueTag::Utf8String:
        case ValueTag::WideString:
            if (left < 4) {
                return false;
            }
            header = 4;
            size = static_cast<std::size_t>(LittleEndian(p + 1, 4));
            // Compared with what is there before doubling: 0x80000000 units must not wrap to
            // a small byte count on 32-bit builds.
            if (tag == ValueTag::WideString) {
                if (size > (left - header) / 2) {
                    return false;
                }
                size *= 2;
            }
            break;
        default:
            FailInvalidValue();
    }
    if (size > left - header) {
        return false;
    }
    data = p + 1 + header;
    p = data + size;
    return true;
}

// Widens the leading ASCII bytes and returns how many there were.
std::size_t WidenAscii(const std::uint8_t* in, std::size_t n, char16_t* out) {
    std::size_t i = 0;
#if KESTRINE_HAVE_SSE2
    for (; i + 16 <= n; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        if (_mm_movemask_epi8(bytes) != 0) {
            break;
        }
        const __m128i zero = _mm_setzero_si128();
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(bytes, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(bytes, zero));
    }
#endif
    for (; i < n && in[i] < 0x80; ++i) {
        out[i] = in[i];
    }
    return i;
}

// Decodes a string value into room(units), which gives space for at least that many units,
// and returns the units written. Names are nearly always ASCII, which reads the same in every
// encoding the stream uses and is widened in bulk.
template <typename Room>
std::size_t DecodeText(ValueTag tag, const std::uint8_t* data, std::size_t size, Room&& room) {
    if (tag == ValueTag::WideString) {
        const std::size_t units = size / 2;
        char16_t* out = room(units);
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(out, data, units * 2);
        } else {
            for (std::size_t i = 0; i < units; ++i) {
                out[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
            }
        }
        return units;
    }
    char16_t* out = room(size);
    const std::size_t ascii = WidenAscii(data, size, out);
    if (ascii == size) {
        return size;
    }
    if (tag == ValueTag::Utf8String) {
        // The ASCII part ends on a character boundary.
        return ascii + DecodeUtf8Into(std::string_view(reinterpret_cast<const char*>(data) + ascii,
                                                       size - ascii),
                                      out + ascii);
    }
    // The system code page; a code page of several bytes per character never yields more
    // units than bytes, but the decoder is asked rather than trusted.
    const std::u16string decoded = DecodeAnsi(std::span<const std::uint8_t>(data, size));
    out = room(decoded.size());
    std::copy(decoded.begin(), decoded.end(), out);
    return decoded.size();
}

}  // namespace

std::uint32_t SearchLayoutParser::SharedText(const Text& text, EncodedTextIds& known,
                                             bool isFolder) {
    const auto tag = static_cast<std::uint8_t>(text.tag);
    if (const std::optional<std::uint32_t> id = known.Find(text.hash, tag, text.data, text.size)) {
        return *id;
    }
    std::size_t units = DecodeText(text.tag, text.data, text.size, [this](std::size_t n) {
        if (scratch_.size() < n) {
            scratch_.resize(n);
        }
        return scratch_.data();
    });
    // The folder loses one trailing separator.
    if (isFolder && units > 0 && scratch_[units - 1] == u'\\') {
        --units;
    }
    const std::uint32_t id = page_.InternText(std::u16string_view(scratch_.data(), units));
    known.Add(text.hash, tag, text.data, text.size, id);
    return id;
}

bool SearchLayoutParser::TakeRow(const std::uint8_t*& cursor, const std::uint8_t* end,
                                 Row& row) const {
    const std::uint8_t* p = cursor;
    std::int32_t unused;
    if (!TakeString(p, end, row.folder.tag, row.folder.data, row.folder.size) ||
        !TakeString(p, end, row.name.tag, row.name.data, row.name.size) ||
        !TakeInteger(p, end, true, row.size) || !TakeDate(p, end, row.modified) ||
        !TakeInt32(p, end, row.attributes) ||
        !TakeString(p, end, row.computer.tag, row.computer.data, row.computer.size) ||
        !TakeInt32(p, end, unused)) {
        return false;
    }
    for (auto [text, known] : {std::pair{&row.computer, &computers_}, {&row.folder, &folders_}}) {
        text->hash =
            EncodedTextIds::HashOf(static_cast<std::uint8_t>(text->tag), text->data, text->size);
        known->Prefetch(text->hash);
    }
    cursor = p;
    return true;
}

void SearchLayoutParser::AppendRows(std::span<const Row> rows) {
    for (const Row& row : rows) {
        const std::uint32_t computerId = SharedText(row.computer, computers_, false);
        const std::uint32_t folderId = SharedText(row.folder, folders_, true);
        const std::size_t nameUnits =
            DecodeText(row.name.tag, row.name.data, row.name.size,
                       [this](std::size_t n) { return page_.NameRoom(n); });
        page_.AppendRow(nameUnits, computerId, folderId, row.size, row.modified, row.attributes);
    }
}

std::size_t SearchLayoutParser::Parse(std::span<const std::uint8_t> bytes) {
    const std::uint8_t* const begin = bytes.data();
    const std::uint8_t* const end = begin + bytes.size();
    const std::uint8_t* p = begin;
    for (;;) {
        switch (state_) {
            case State::Version: {
                std::int32_t version;
                if (!TakeInt32(p, end, version)) {
                    return static_cast<std::size_t>(p - begin);
                }
                if (version != kStreamVersion) {
                    throw Failure(u"Unsupported stream version");
                }
                state_ = State::FieldCount;
                break;
            }
            case State::FieldCount: {
                std::int32_t count;
                if (!TakeInt32(p, end, count)) {
                    return static_cast<std::size_t>(p - begin);
                }
                if (count != kSearchFieldCount) {
                    throw Failure(u"Unexpected number of fields");
                }
                state_ = State::ListBegin;
                break;
            }
            case State::ListBegin:
                if (p == end) {
                    return static_cast<std::size_t>(p - begin);
                }
                if (static_cast<ValueTag>(*p) != ValueTag::ListBegin) {
                    FailInvalidValue();
                }
                ++p;
                state_ = State::Rows;
                break;
            case State::Rows: {
                // Rows are taken a batch at a time and appended after, so that the lookups of
                // a batch's computers and folders wait for memory together. A failure in a
                // row still keeps the rows before it, and a failure in appending one of those
                // comes first, as it would row by row.
                std::array<Row, kBatchRows> batch;
                std::size_t taken = 0;
                bool cut = false;
                try {
                    // The end-of-list tag both ends the rows and closes the list.
                    while (taken < batch.size() && p != end &&
                           static_cast<ValueTag>(*p) != ValueTag::EndOfList) {
                        if (!TakeRow(p, end, batch[taken])) {
                            cut = true;
                            break;
                        }
                        ++taken;
                    }
                } catch (...) {
                    AppendRows(std::span(batch.data(), taken));
                    throw;
                }
                AppendRows(std::span(batch.data(), taken));
                if (cut || p == end) {
                    return static_cast<std::size_t>(p - begin);
                }
                if (static_cast<ValueTag>(*p) == ValueTag::EndOfList) {
                    ++p;
                    state_ = State::Complete;
                }
                break;
            }
            case State::Complete:
                return static_cast<std::size_t>(p - begin);
        }
    }
}

std::span<std::uint8_t> SearchAnswerReader::Room() {
    if (stopped_) {
        // The rest is inflated only to check it: the same bytes are overwritten.
        if (window_.size() < kWindowChunk) {
            window_.resize(kWindowChunk);
        }
        begin_ = end_ = 0;
        return window_;
    }
    if (window_.size() - end_ < kWindowChunk / 2) {
        // Move the unread part of a row to the front, and grow only for a row larger than
        // the window.
        if (begin_ > 0) {
            std::memmove(window_.data(), window_.data() + begin_, end_ - begin_);
            end_ -= begin_;
            begin_ = 0;
        }
        if (window_.size() - end_ < kWindowChunk / 2) {
            window_.resize(std::max(window_.size() * 2, end_ + kWindowChunk));
        }
    }
    return std::span<std::uint8_t>(window_.data() + end_, window_.size() - end_);
}

void SearchAnswerReader::Received(std::size_t count) {
    if (stopped_) {
        return;
    }
    end_ += count;
    try {
        begin_ +=
            parser_.Parse(std::span<const std::uint8_t>(window_.data() + begin_, end_ - begin_));
        stopped_ = parser_.Complete();
    } catch (const Failure& failure) {
        failure_ = failure;
        stopped_ = true;
    }
    if (stopped_) {
        window_.clear();
        window_.shrink_to_fit();
    }
}

void SearchAnswerReader::Finish() {
    if (failure_) {
        throw *failure_;
    }
    if (!parser_.Complete()) {
        throw Failure(u"Stream read error");
    }
}

void ReadSearchResults(std::span<const std::uint8_t> stream, SearchResultList& page) {
    SearchLayoutParser parser(page);
    parser.Parse(stream);
    if (!parser.Complete()) {
        throw Failure(u"Stream read error");
    }
}

void ReadSearchAnswer(std::span<const std::uint8_t> compressed, SearchResultList& page,
                      std::size_t maxInflatedSize) {
    const SearchResultList::Mark before = page.Position();
    SearchAnswerReader reader(page);
    try {
        ChunkedInflater inflater(compressed, maxInflatedSize);
        for (;;) {
            const std::size_t count = inflater.Inflate(reader.Room());
            if (count == 0) {
                break;
            }
            reader.Received(count);
        }
    } catch (...) {
        // As if the answer had been inflated whole before reading: nothing of it is kept.
        page.RollBack(before);
        throw;
    }
    reader.Finish();
}

}  // namespace kestrine
