#include "search/csv_export.h"

#include <algorithm>
#include <optional>
#include <vector>
#include <span>
#include <string>
#include <string_view>

#include "common/text.h"
#include "common/timestamp.h"

namespace kestrine {
namespace {

// One large buffer: a million lines go out in a few dozen writes.
constexpr std::size_t kCsvBufferSize = std::size_t{1} << 20;

class CsvLineWriter {
  public:
    CsvLineWriter(BufferedByteWriter& out, std::u16string_view separator)
        : out_(out), separator_(Utf16ToUtf8(separator.empty() ? u"," : separator)) {}

    // One line of quoted fields: the texts, then fields already encoded (UTF-8 with their
    // quotes doubled). A line that fits the buffer in the worst case is encoded straight into
    // it; a longer one goes field by field.
    void Line(std::span<const std::u16string_view> texts,
              std::span<const std::string_view> encoded = {}) {
        std::size_t worst = 2;
        for (std::u16string_view text : texts) {
            worst += separator_.size() + 2 + 3 * text.size();
        }
        for (std::string_view field : encoded) {
            worst += separator_.size() + 2 + field.size();
        }
        if (worst > out_.Capacity()) {
            LongLine(texts, encoded);
            return;
        }
        std::uint8_t* out = out_.Claim(worst);
        bool first = true;
        const auto separate = [&] {
            if (!first) {
                out = std::copy(separator_.begin(), separator_.end(), out);
            }
            first = false;
        };
        for (std::u16string_view text : texts) {
            separate();
            *out++ = '"';
            out = EncodeUtf8(text, true, out);
            *out++ = '"';
        }
        for (std::string_view field : encoded) {
            separate();
            *out++ = '"';
            out = std::copy(field.begin(), field.end(), out);
            *out++ = '"';
        }
        *out++ = '\r';
        *out++ = '\n';
        out_.Commit(out);
    }

  private:
    void LongLine(std::span<const std::u16string_view> texts,
                  std::span<const std::string_view> encoded) {
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
        for (std::string_view field : encoded) {
            separate();
            out_.Put('"');
            out_.PutBytes(field);
            out_.Put('"');
        }
        out_.Put('\r');
        out_.Put('\n');
    }

    BufferedByteWriter& out_;
    std::string separator_;
};

// Appends a field's text as it goes out, UTF-8 with every double quote doubled, to bytes.
void AppendField(std::u16string_view text, std::string& bytes) {
    const std::size_t start = bytes.size();
    bytes.resize(start + 3 * text.size());
    auto* const first = reinterpret_cast<std::uint8_t*>(bytes.data() + start);
    bytes.resize(start + static_cast<std::size_t>(EncodeUtf8(text, true, first) - first));
}

// The same, written into into alone.
std::string_view EncodeField(std::u16string_view text, std::string& into) {
    into.clear();
    AppendField(text, into);
    return into;
}

// The fields of recent values, encoded as they go out (UTF-8, quotes doubled), so that a page
// of repeated sizes and minutes formats and encodes each once and a repeat is copied straight
// into the line. Direct-mapped: a slot holds the last value that fell in it, within one cache
// line; a field too long for a slot is formatted again for every row.
template <typename Key>
class EncodedFieldCache {
  public:
    // format(std::u16string&) appends the text of key.
    template <typename Format>
    std::string_view Get(Key key, Format format) {
        Slot& slot = slots_[static_cast<std::size_t>(
            static_cast<std::uint64_t>(key) * 0x9E3779B97F4A7C15u >> (64 - kSlotBits))];
        if (slot.size != kEmpty && slot.key == key) {
            return std::string_view(slot.bytes, slot.size);
        }
        text_.clear();
        format(text_);
        const std::string_view field = EncodeField(text_, encoded_);
        if (field.size() > sizeof(slot.bytes)) {
            return field;
        }
        std::copy(field.begin(), field.end(), slot.bytes);
        slot.size = static_cast<std::uint8_t>(field.size());
        slot.key = key;
        return std::string_view(slot.bytes, slot.size);
    }

  private:
    static constexpr unsigned kSlotBits = 12;
    static constexpr std::uint8_t kEmpty = 0xFF;
    struct alignas(64) Slot {
        Key key{};
        std::uint8_t size = kEmpty;
        char bytes[64 - sizeof(Key) - 1];
    };

    std::vector<Slot> slots_ = std::vector<Slot>(std::size_t{1} << kSlotBits);
    std::u16string text_;  // reused: no allocation per row
    std::string encoded_;
};

// The fields of a page's computers or folders, encoded once per distinct text: a page has a
// few thousand of them over a million rows. Filled as the rows ask, in one buffer; a view is
// valid until the next Get.
class SharedFieldCache {
  public:
    explicit SharedFieldCache(std::size_t count) : fields_(count) {}

    std::string_view Get(std::uint32_t id, std::u16string_view text) {
        Field& field = fields_[id];
        if (!field.filled) {
            field.start = bytes_.size();
            AppendField(text, bytes_);
            field.length = bytes_.size() - field.start;
            field.filled = true;
        }
        return std::string_view(bytes_.data() + field.start, field.length);
    }

  private:
    struct Field {
        std::size_t start = 0;
        std::size_t length = 0;
        bool filled = false;
    };
    std::vector<Field> fields_;  // by id
    std::string bytes_;
};

// Writes the header, then one line per row that forEachRow hands to its visitor, with the
// row's folder and computer fields already encoded.
template <typename ForEachRow>
void WriteCsv(ForEachRow&& forEachRow, std::u16string_view separator,
              const ValueFormatter& formatter, ByteSink& sink) {
    BufferedByteWriter out(sink, kCsvBufferSize);
    CsvLineWriter line(out, separator);
    static constexpr std::u16string_view kCaptions[] = {u"File Name", u"Folder", u"Computer",
                                                        u"File Size", u"Date Modified"};
    line.Line(kCaptions);

    EncodedFieldCache<std::int64_t> sizes;
    EncodedFieldCache<std::int64_t> minutes;
    std::u16string unusableDate;  // reused: no allocation per row
    std::string unusableDateField;
    forEachRow([&](const SearchHitView& item, std::string_view folder, std::string_view computer) {
        const std::u16string_view texts[] = {item.FileName};
        const std::string_view size = sizes.Get(
            item.Size, [&](std::u16string& text) { formatter.AppendSize(item.Size, text); });
        if (const std::optional<std::int64_t> minute = TimestampMinuteKey(item.Modified)) {
            const std::string_view encoded[] = {folder, computer, size,
                                                minutes.Get(*minute, [&](std::u16string& text) {
                                                    formatter.AppendTimestamp(item.Modified, text);
                                                })};
            line.Line(texts, encoded);
            return;
        }
        unusableDate.clear();
        formatter.AppendTimestamp(item.Modified, unusableDate);
        const std::string_view encoded[] = {folder, computer, size,
                                            EncodeField(unusableDate, unusableDateField)};
        line.Line(texts, encoded);
    });
    out.Flush();
}

}  // namespace

void WriteResultsCsv(const SearchResultList& results, std::u16string_view separator,
                     const ValueFormatter& formatter, ByteSink& sink) {
    // One cache each: a view stays valid only until its own cache grows.
    SharedFieldCache folders(results.SharedTextCount());
    SharedFieldCache computers(results.SharedTextCount());
    WriteCsv(
        [&](auto&& visit) {
            results.ForEachRowWithSharedIds(
                [&](const SearchHitView& item, std::uint32_t computer, std::uint32_t folder) {
                    visit(item, folders.Get(folder, item.Folder),
                          computers.Get(computer, item.Computer));
                });
        },
        separator, formatter, sink);
}

void WriteResultsCsv(std::span<const TFileSearchItem> rows, std::u16string_view separator,
                     const ValueFormatter& formatter, ByteSink& sink) {
    std::string folder;
    std::string computer;
    WriteCsv(
        [&](auto&& visit) {
            for (const TFileSearchItem& item : rows) {
                visit(SearchHitView(item), EncodeField(item.Folder, folder),
                      EncodeField(item.Computer, computer));
            }
        },
        separator, formatter, sink);
}

}  // namespace kestrine
