#include "search/csv_export.h"

#include <algorithm>
#include <span>
#include <string>

#include "common/text.h"

namespace kestrine {
namespace {

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

// Writes the header, then one line per row that forEachRow hands to its visitor.
template <typename ForEachRow>
void WriteCsv(ForEachRow&& forEachRow, std::u16string_view separator,
              const ValueFormatter& formatter, ByteSink& sink) {
    BufferedByteWriter out(sink);
    CsvLineWriter line(out, separator);
    static constexpr std::u16string_view kCaptions[] = {u"File Name", u"Folder", u"Computer",
                                                        u"File Size", u"Date Modified"};
    line.Line(kCaptions);

    // Reused: no allocation per row once they have grown.
    std::u16string size;
    std::u16string date;
    forEachRow([&](const TFileSearchItem& item) {
        size.clear();
        formatter.AppendSize(item.Size, size);
        date.clear();
        formatter.AppendTimestamp(item.Modified, date);
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
                visit(item);
            }
        },
        separator, formatter, sink);
}

}  // namespace kestrine
