#include "search/csv_export.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"
#include "common/timestamp.h"

namespace kestrine {
namespace {

// One large buffer: a million lines go out in a few dozen writes.
constexpr std::size_t kCsvBufferSize = std::size_t{1} << 20;

// A field as it goes out, UTF-8 with every double quote doubled, in up to two pieces: a
// date's day and its time of day are remembered apart.
struct EncodedField {
    EncodedField() = default;
    EncodedField(std::string_view whole) : first(whole) {}  // implicit: most are one piece
    EncodedField(std::string_view head, std::string_view tail) : first(head), second(tail) {}
    std::size_t Size() const { return first.size() + second.size(); }

    std::string_view first;
    std::string_view second;
};

// Copies bytes to out and returns the end. A line's fields are mostly 8 to 32 bytes long, in
// lengths that change from row to row: two overlapping fixed-size moves take the place of a
// loop that would run byte by byte and then mispredict its end.
inline std::uint8_t* PutShort(std::string_view bytes, std::uint8_t* out) {
    const char* const from = bytes.data();
    const std::size_t size = bytes.size();
    if (size >= 8 && size <= 16) {
        std::memcpy(out, from, 8);
        std::memcpy(out + size - 8, from + size - 8, 8);
    } else if (size > 16 && size <= 32) {
        std::memcpy(out, from, 16);
        std::memcpy(out + size - 16, from + size - 16, 16);
    } else {
        std::copy(from, from + size, out);
    }
    return out + size;
}

class CsvLineWriter {
  public:
    CsvLineWriter(BufferedByteWriter& out, std::u16string_view separator)
        : out_(out), separator_(Utf16ToUtf8(separator.empty() ? u"," : separator)) {}

    // One line of quoted fields: the texts, then fields already encoded. A line that fits the
    // buffer in the worst case is encoded straight into it; a longer one goes field by field.
    void Line(std::span<const std::u16string_view> texts,
              std::span<const EncodedField> encoded = {}) {
        std::size_t worst = 2;
        for (std::u16string_view text : texts) {
            worst += separator_.size() + 2 + 3 * text.size();
        }
        for (const EncodedField& field : encoded) {
            worst += separator_.size() + 2 + field.Size();
        }
        if (worst > out_.Capacity()) {
            LongLine(texts, encoded);
            return;
        }
        std::uint8_t* out = out_.Claim(worst);
        bool first = true;
        const auto separate = [&] {
            if (!first) {
                if (separator_.size() == 1) {
                    *out++ = static_cast<std::uint8_t>(separator_[0]);  // "," and ";"
                } else {
                    out = PutShort(separator_, out);
                }
            }
            first = false;
        };
        for (std::u16string_view text : texts) {
            separate();
            *out++ = '"';
            out = EncodeUtf8(text, true, out);
            *out++ = '"';
        }
        for (const EncodedField& field : encoded) {
            separate();
            *out++ = '"';
            out = PutShort(field.first, out);
            out = PutShort(field.second, out);
            *out++ = '"';
        }
        *out++ = '\r';
        *out++ = '\n';
        out_.Commit(out);
    }

  private:
    void LongLine(std::span<const std::u16string_view> texts,
                  std::span<const EncodedField> encoded) {
        bool first = true;
        const auto separate = [&] {
            if (!first) {
                out_.PutBytes(separator_);
            }
            first = false;
        };
        for (std::u16string_view text : texts) {
            separate();
            out_.Put('"');
            out_.PutUtf8DoublingQuotes(text);
            out_.Put('"');
        }
        for (const EncodedField& field : encoded) {
            separate();
            out_.Put('"');
            out_.PutBytes(field.first);
            out_.PutBytes(field.second);
            out_.Put('"');
        }
        out_.Put('\r');
        out_.Put('\n');
    }

    BufferedByteWriter& out_;
    std::string separator_;
};

// Appends a field's text as it goes out to bytes.
void AppendField(std::u16string_view text, std::string& bytes) {
    const std::size_t start = bytes.size();
    bytes.resize(start + 3 * text.size());
    auto* const first = reinterpret_cast<std::uint8_t*>(bytes.data() + start);
    bytes.resize(start + static_cast<std::size_t>(EncodeUtf8(text, true, first) - first));
}

// How a remembered field's key picks its slot. Days and minutes of the day come in runs of
// neighbours, which their low bits keep apart; sizes are spread by a hash.
enum class SlotChoice { LowBits, Hashed };

// The fields of recent values, encoded as they go out, so that a page of repeated values
// formats and encodes each once and a repeat is copied straight into the line.
// Direct-mapped: a slot holds the last value that fell in it, in half a cache line; a field
// too long for a slot is formatted again each time, and its view lasts until the next Get.
template <unsigned kSlotBits, SlotChoice kChoice>
class EncodedFieldCache {
  public:
    // format(std::u16string&) appends the text of key.
    template <typename Format>
    std::string_view Get(std::int64_t key, Format format) {
        Slot& slot = slots_[SlotOf(key)];
        if (slot.size != kEmpty && slot.key == key) {
            return std::string_view(slot.bytes, slot.size);
        }
        text_.clear();
        format(text_);
        std::string_view field;
        if (3 * text_.size() <= sizeof(slot.bytes)) {  // room for any encoding of it
            auto* const first = reinterpret_cast<std::uint8_t*>(slot.bytes);
            field = std::string_view(
                slot.bytes, static_cast<std::size_t>(EncodeUtf8(text_, true, first) - first));
        } else {
            encoded_.clear();
            AppendField(text_, encoded_);
            if (encoded_.size() > sizeof(slot.bytes)) {
                return encoded_;
            }
            field = std::string_view(slot.bytes, encoded_.size());
            std::copy(encoded_.begin(), encoded_.end(), slot.bytes);
        }
        slot.size = static_cast<std::uint8_t>(field.size());
        slot.key = key;
        return field;
    }

  private:
    static constexpr std::uint8_t kEmpty = 0xFF;
    struct alignas(32) Slot {
        std::int64_t key = 0;
        std::uint8_t size = kEmpty;
        char bytes[32 - sizeof(std::int64_t) - 1];
    };

    static std::size_t SlotOf(std::int64_t key) {
        const auto bits = static_cast<std::uint64_t>(key);
        if constexpr (kChoice == SlotChoice::LowBits) {
            return bits & ((std::uint64_t{1} << kSlotBits) - 1);
        } else {
            return bits * 0x9E3779B97F4A7C15u >> (64 - kSlotBits);
        }
    }

    std::vector<Slot> slots_ = std::vector<Slot>(std::size_t{1} << kSlotBits);
    std::u16string text_;  // reused: no allocation per row
    std::string encoded_;
};

// The fields of a page's computers and folders, each encoded once, side by side: a page has
// a few thousand of them over a million rows.
class EncodedSharedTexts {
  public:
    explicit EncodedSharedTexts(const SearchResultList& page) {
        starts_.reserve(page.SharedTextCount() + 1);
        starts_.push_back(0);
        for (std::uint32_t id = 0; id < page.SharedTextCount(); ++id) {
            AppendField(page.SharedText(id), bytes_);
            starts_.push_back(bytes_.size());
        }
    }

    std::string_view Field(std::uint32_t id) const {
        return std::string_view(bytes_).substr(starts_[id], starts_[id + 1] - starts_[id]);
    }

  private:
    std::string bytes_;
    std::vector<std::size_t> starts_;  // by id, then the end
};

}  // namespace

void WriteResultsCsv(const SearchResultList& results, std::u16string_view separator,
                     const ValueFormatter& formatter, ByteSink& sink) {
    BufferedByteWriter out(sink, kCsvBufferSize);
    CsvLineWriter line(out, separator);
    static constexpr std::u16string_view kCaptions[] = {u"File Name", u"Folder", u"Computer",
                                                        u"File Size", u"Date Modified"};
    line.Line(kCaptions);

    const EncodedSharedTexts shared(results);
    EncodedFieldCache<12, SlotChoice::Hashed> sizes;
    // Days of 22 years and every minute of a day, each in a slot of its own.
    EncodedFieldCache<13, SlotChoice::LowBits> days;
    EncodedFieldCache<11, SlotChoice::LowBits> minutes;
    results.ForEachRowWithSharedIds([&](const SearchResultList::RowWithSharedIds& row) {
        const std::string_view size = sizes.Get(
            row.Size, [&](std::u16string& text) { formatter.AppendSize(row.Size, text); });
        EncodedField date;  // empty for a timestamp the server sent unusable
        if (const std::optional<DayAndMinute> when = TimestampDayAndMinute(row.Modified)) {
            // Taken apart only for a value not yet seen; usable, as when shows.
            std::optional<CalendarTime> fields;
            const auto decoded = [&]() -> const CalendarTime& {
                if (!fields) {
                    fields = DecodeTimestamp(row.Modified);
                }
                return *fields;
            };
            date = EncodedField(days.Get(when->day,
                                         [&](std::u16string& text) {
                                             formatter.AppendDate(decoded(), text);
                                             text.push_back(u' ');
                                         }),
                                minutes.Get(when->minute, [&](std::u16string& text) {
                                    formatter.AppendTimeOfDay(decoded(), text);
                                }));
        }
        const std::u16string_view texts[] = {row.FileName};
        const EncodedField encoded[] = {shared.Field(row.Folder), shared.Field(row.Computer), size,
                                        date};
        line.Line(texts, encoded);
    });
    out.Flush();
}

}  // namespace kestrine
