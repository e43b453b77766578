#include "search/csv_export.h"

#include <string>

namespace kestrine {
namespace {

class CsvLineWriter {
  public:
    CsvLineWriter(BufferedByteWriter& out, std::u16string_view separator)
        : out_(out), separator_(separator.empty() ? u"," : separator) {}

    void Field(std::u16string_view value) {
        if (!firstField_) {
            out_.PutUtf8(separator_);
        }
        firstField_ = false;
        out_.Put('"');
        // Runs without quotes go out whole; each quote is written twice.
        std::size_t from = 0;
        for (std::size_t quote = value.find(u'"'); quote != std::u16string_view::npos;
             quote = value.find(u'"', from)) {
            out_.PutUtf8(value.substr(from, quote + 1 - from));
            out_.Put('"');
            from = quote + 1;
        }
        out_.PutUtf8(value.substr(from));
        out_.Put('"');
    }

    void EndLine() {
        out_.Put('\r');
        out_.Put('\n');
        firstField_ = true;
    }

  private:
    BufferedByteWriter& out_;
    std::u16string_view separator_;
    bool firstField_ = true;
};

}  // namespace

void WriteResultsCsv(std::span<const TFileSearchItem> items, std::u16string_view separator,
                     const ValueFormatter& formatter, ByteSink& sink) {
    BufferedByteWriter out(sink);
    CsvLineWriter line(out, separator);
    for (std::u16string_view caption :
         {u"File Name", u"Folder", u"Computer", u"File Size", u"Date Modified"}) {
        line.Field(caption);
    }
    line.EndLine();

    std::u16string text;  // reused: no allocation per row once it has grown
    for (const TFileSearchItem& item : items) {
        line.Field(item.FileName);
        line.Field(item.Folder);
        line.Field(item.Computer);
        text.clear();
        formatter.AppendSize(item.Size, text);
        line.Field(text);
        text.clear();
        formatter.AppendTimestamp(item.Modified, text);
        line.Field(text);
        line.EndLine();
    }
    out.Flush();
}

}  // namespace kestrine
