#include "search/csv_export.h"

#include <algorithm>
#include <optional>
#include <vector>
#include <span>
#include <string>

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

    // One line of quoted fields. A line that fits the buffer in the worst case is encoded
    // straight into it; a longer one goes field by field.
    void Line(std::span<const std::u16string_view> fields) {
        std::size_t worst = 2;
        for (std::u16string_view field : fields) {
            worst += separator_.size() + 2 + 3 * field.size();
        }
        if (worst > out_.Capacity()) {
            LongLine(fields);
            return;
        }
        std::uint8_t* out = out_.Claim(worst);
        bool first = true;
        for (std::u16string_view field : fields) {
            if (!first) {
                out = std::copy(separator_.begin(), separator_.end(), out);
            }
            first = false;
            *out++ = '"';
            out = EncodeUtf8(field, true, out);
            *out++ = '"';
        }
        *out++ = '\r';
        *out++ = '\n';
        out_.Commit(out);
    }

  private:
    void LongLine(std::span<const std::u16string_view> fields) {
        bool first = true;
        for (std::u16string_view field : fields) {
            if (!first) {
                out_.PutBytes(separator_);
            }
            first = false;
            out_.Put('"');
            out_.PutUtf8DoublingQuotes(field);
            out_.Put('"');
        }
        out_.Put('\r');
        out_.Put('\n');
    }

    BufferedByteWriter& out_;
    std::string separator_;
};

}  // namespace

namespace {

// The texts of recent values, so that a page of repeated sizes and minutes formats each once.
// Direct-mapped: a slot holds the last value that fell in it.
template <typename Key>
class TextCache {
  public:
    template <typename Format>
    std::u16string_view Get(Key key, Format format) {
        Slot& slot = slots_[static_cast<std::size_t>(
            static_cast<std::uint64_t>(key) * 0x9E3779B97F4A7C15u >> 52)];
        if (!slot.filled || slot.key != key) {
            slot.text.clear();
            format(slot.text);
            slot.key = key;
            slot.filled = true;
        }
        return slot.text;
    }

  private:
    struct Slot {
        bool filled = false;
        Key key{};
        std::u16string text;
    };
    std::vector<Slot> slots_ = std::vector<Slot>(4096);
};

// Writes the header, then one line per row that forEachRow hands to its visitor.
template <typename ForEachRow>
void WriteCsv(ForEachRow&& forEachRow, std::u16string_view separator,
              const ValueFormatter& formatter, ByteSink& sink) {
    BufferedByteWriter out(sink, kCsvBufferSize);
    CsvLineWriter line(out, separator);
    static constexpr std::u16string_view kCaptions[] = {u"File Name", u"Folder", u"Computer",
                                                        u"File Size", u"Date Modified"};
    line.Line(kCaptions);

    TextCache<std::int64_t> sizes;
    TextCache<std::int64_t> minutes;
    std::u16string unusableDate;  // reused: no allocation per row
    forEachRow([&](const SearchHitView& item) {
        const std::u16string_view size = sizes.Get(
            item.Size, [&](std::u16string& text) { formatter.AppendSize(item.Size, text); });
        std::u16string_view date;
        if (const std::optional<std::int64_t> minute = TimestampMinuteKey(item.Modified)) {
            date = minutes.Get(*minute, [&](std::u16string& text) {
                formatter.AppendTimestamp(item.Modified, text);
            });
        } else {
            unusableDate.clear();
            formatter.AppendTimestamp(item.Modified, unusableDate);
            date = unusableDate;
        }
        const std::u16string_view fields[] = {item.FileName, item.Folder, item.Computer, size,
                                              date};
        line.Line(fields);
    });
    out.Flush();
}

}  // namespace

void WriteResultsCsv(const SearchResultList& results, std::u16string_view separator,
                     const ValueFormatter& formatter, ByteSink& sink) {
    WriteCsv([&](auto&& visit) { results.ForEachRow(visit); }, separator, formatter, sink);
}

void WriteResultsCsv(std::span<const TFileSearchItem> rows, std::u16string_view separator,
                     const ValueFormatter& formatter, ByteSink& sink) {
    WriteCsv(
        [&](auto&& visit) {
            for (const TFileSearchItem& item : rows) {
                visit(SearchHitView(item));
            }
        },
        separator, formatter, sink);
}

}  // namespace kestrine
