#include "search/csv_export.h"

#include "common/failure.h"
#include "common/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrine {
namespace {

class MemorySink : public ByteSink {
  public:
    void Write(std::span<const std::uint8_t> bytes) override {
        bytes_.append(bytes.begin(), bytes.end());
        ++writes_;
    }
    const std::string& Bytes() const { return bytes_; }
    int Writes() const { return writes_; }

  private:
    std::string bytes_;
    int writes_ = 0;
};

class FailingSink : public ByteSink {
  public:
    void Write(std::span<const std::uint8_t>) override { throw Failure(u"Disk full"); }
};

SearchResultList ListOf(std::vector<TFileSearchItem> items) {
    SearchResultList list;
    for (auto& item : items) {
        list.Append(std::move(item));
    }
    return list;
}

TFileSearchItem Hit(std::u16string name, std::u16string folder, std::int32_t attributes = 32) {
    TFileSearchItem item;
    item.FileName = std::move(name);
    item.Folder = std::move(folder);
    item.Computer = u"\\\\PC";
    item.Size = 1536;
    item.Modified = 45351.75;
    item.Attributes = attributes;
    return item;
}

TEST(CsvExportTest, WritesHeaderAndRowsWithTheListSeparator) {
    SearchResultList items = ListOf({Hit(u"sub", u"", 16), Hit(u"a.txt", u"share\\docs")});
    items.ColumnClick(0);  // rows go out in the order shown
    MemorySink sink;
    WriteResultsCsv(items, u";", PortableValueFormatter(), sink);
    EXPECT_EQ(sink.Bytes(),
              "\"File Name\";\"Folder\";\"Computer\";\"File Size\";\"Date Modified\"\r\n"
              "\"a.txt\";\"share\\docs\";\"\\\\PC\";\"1.50 KB\";\"29/02/2024 18:00\"\r\n"
              "\"sub\";\"\";\"\\\\PC\";\"1.50 KB\";\"29/02/2024 18:00\"\r\n");
}

TEST(CsvExportTest, DoublesQuotesAndWritesUtf8WithoutByteOrderMark) {
    const SearchResultList items = ListOf({Hit(u"say \"hi\".txt", u"caf\u00e9 \U0001F600")});
    MemorySink sink;
    WriteResultsCsv(items, u",", PortableValueFormatter(), sink);
    const std::string& bytes = sink.Bytes();
    EXPECT_EQ(bytes.rfind("\"File Name\",", 0), 0u);
    EXPECT_NE(bytes.find("\r\n\"say \"\"hi\"\".txt\",\"caf\xC3\xA9 \xF0\x9F\x98\x80\",\"\\\\PC\","),
              std::string::npos);
}

// Fields are copied in pieces of fixed size that overlap; every length around those sizes
// must come out whole, with a separator of more than one byte too (the Arabic comma).
TEST(CsvExportTest, FieldsOfEveryLengthUpToFortyBytesComeOutWhole) {
    const std::u16string letters = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    SearchResultList list;
    std::string expected =
        "\"File Name\"\u060C\"Folder\"\u060C\"Computer\"\u060C\"File Size\"\u060C"
        "\"Date Modified\"\r\n";
    for (std::size_t length = 0; length <= 40; ++length) {
        const std::u16string folder = letters.substr(length % 7, length);
        list.Append(Hit(u"f", folder));
        expected += "\"f\"\u060C\"" + Utf16ToUtf8(folder) +
                    "\"\u060C\"\\\\PC\"\u060C\"1.50 KB\"\u060C\"29/02/2024 18:00\"\r\n";
    }
    MemorySink sink;
    WriteResultsCsv(list, u"\u060C", PortableValueFormatter(), sink);
    EXPECT_EQ(sink.Bytes(), expected);
}

TEST(CsvExportTest, EmptySeparatorFallsBackToComma) {
    MemorySink sink;
    WriteResultsCsv(SearchResultList(), u"", PortableValueFormatter(), sink);
    EXPECT_EQ(sink.Bytes(),
              "\"File Name\",\"Folder\",\"Computer\",\"File Size\",\"Date Modified\"\r\n");
}

// Sizes and minutes are formatted once and reused: rows sharing them, rows differing only in
// their seconds, and dates that have no text must still read exactly as formatted one by one.
TEST(CsvExportTest, ReusedTextsMatchTheFormatterRowByRow) {
    const PortableValueFormatter formatter;
    const struct {
        std::int64_t size;
        double modified;
    } rows[] = {{0, 45351.75},
                {0, 45351.75 + 30.0 / 86400},  // same minute, other seconds
                {1536, 45351.75 + 61.0 / 86400},
                {-1, std::nan("")},
                {1536, 1e300},
                {std::int64_t{1} << 40, -1.25},
                {1023, -1.25 + 59.0 / 86400},
                {1023, 45351.75}};
    SearchResultList list;
    std::string expected =
        "\"File Name\",\"Folder\",\"Computer\",\"File Size\",\"Date Modified\"\r\n";
    for (const auto& row : rows) {
        TFileSearchItem item = Hit(u"f", u"d");
        item.Size = row.size;
        item.Modified = row.modified;
        list.Append(item);
        std::u16string size;
        formatter.AppendSize(row.size, size);
        std::u16string date;
        formatter.AppendTimestamp(row.modified, date);
        expected += "\"f\",\"d\",\"\\\\PC\",\"" + Utf16ToUtf8(size) + "\",\"" + Utf16ToUtf8(date) +
                    "\"\r\n";
    }
    MemorySink sink;
    WriteResultsCsv(list, u",", formatter, sink);
    EXPECT_EQ(sink.Bytes(), expected);
}

// Texts with quotes, non-ASCII units and, for some values, more bytes than a remembered
// field holds.
class QuotingFormatter final : public ValueFormatter {
  public:
    void AppendSize(std::int64_t bytes, std::u16string& out) const override {
        out += u"\"" + ToText(bytes) + u"\u00e9\"";
        if (bytes % 3 == 0) {
            out.append(40, u'\u20ac');
        }
    }
    void AppendDate(const CalendarTime& when, std::u16string& out) const override {
        out += u"\U0001F600\"" + ToText(when.Day);
        if (when.Day % 2 == 0) {
            out.append(30, u'\"');
        }
    }
    void AppendTimeOfDay(const CalendarTime& when, std::u16string& out) const override {
        out += ToText(when.Hour) + u"\u00e9";
        if (when.Minute % 2 == 0) {
            out.append(20, u'\u20ac');
        }
    }
};

TEST(CsvExportTest, RemadeAndRepeatedFieldsAreEncodedAlike) {
    const QuotingFormatter formatter;
    SearchResultList list;
    std::string expected =
        "\"File Name\",\"Folder\",\"Computer\",\"File Size\",\"Date Modified\"\r\n";
    const auto field = [](std::u16string text) {
        std::string quoted;
        for (char c : Utf16ToUtf8(text)) {
            quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        }
        return "\"" + quoted + "\"";
    };
    for (int i = 0; i < 60; ++i) {
        TFileSearchItem item = Hit(u"f", u"d");
        item.Size = i % 7;  // each value again and again, the long ones too
        // Four days, two of them 8192 days apart, at five minutes of the day.
        item.Modified = 45000 + (i % 4 == 2 ? 8192 : i % 4) + (i % 5) * 61 / 1440.0;
        list.Append(item);
        std::u16string size;
        formatter.AppendSize(item.Size, size);
        std::u16string date;
        formatter.AppendTimestamp(item.Modified, date);
        expected += "\"f\",\"d\",\"\\\\PC\"," + field(size) + "," + field(date) + "\r\n";
    }
    MemorySink sink;
    WriteResultsCsv(list, u",", formatter, sink);
    EXPECT_EQ(sink.Bytes(), expected);
}

TEST(CsvExportTest, LargeExportGoesOutInBlocksAndFailuresPropagate) {
    const SearchResultList items =
        ListOf(std::vector<TFileSearchItem>(40000, Hit(u"name-of-a-file.txt", u"some\\folder")));
    MemorySink sink;
    WriteResultsCsv(items, u",", PortableValueFormatter(), sink);
    EXPECT_GT(sink.Writes(), 1);
    EXPECT_LT(sink.Writes(), 20);
    const std::string line =
        "\"name-of-a-file.txt\",\"some\\folder\",\"\\\\PC\",\"1.50 KB\",\"29/02/2024 18:00\"\r\n";
    const std::string header =
        "\"File Name\",\"Folder\",\"Computer\",\"File Size\",\"Date Modified\"\r\n";
    EXPECT_EQ(sink.Bytes().size(), header.size() + 40000 * line.size());
    EXPECT_EQ(sink.Bytes().substr(sink.Bytes().size() - line.size()), line);

    FailingSink failing;
    try {
        WriteResultsCsv(items, u",", PortableValueFormatter(), failing);
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.Message(), u"Disk full");
    }
}

TEST(BufferedByteWriterTest, Utf8MatchesTheTextHelperAcrossBlockEdges) {
    std::u16string text;
    for (int i = 0; i < 300; ++i) {
        text += u"a\u00e9\u20ac\U0001F600";
    }
    text.push_back(static_cast<char16_t>(0xD800));  // lone surrogate at the end
    text.insert(7, 1, static_cast<char16_t>(0xDC00));
    for (std::size_t capacity : {1, 16, 17, 18, 19, 64, 1000}) {
        MemorySink sink;
        BufferedByteWriter writer(sink, capacity);
        writer.PutBytes("x");
        writer.PutUtf8(text);
        writer.Put('!');
        writer.PutUtf8DoublingQuotes(u"\"a\"\"\u00e9\"");
        writer.Flush();
        EXPECT_EQ(sink.Bytes(), "x" + Utf16ToUtf8(text) + "!\"\"a\"\"\"\"\xC3\xA9\"\"") << capacity;
    }
}

TEST(EncodeUtf8Test, EveryUnitAtEveryPlaceOfShortAndLongTexts) {
    // The encoder takes units eight and four at a time and may take a tail as the last eight
    // units: a unit that is not plain ASCII goes at every place of texts around those sizes.
    const std::u16string specials[] = {u"\"",
                                       u"\u00e9",
                                       u"\u20ac",
                                       u"\U0001F600",
                                       std::u16string(1, static_cast<char16_t>(0xD800)),
                                       std::u16string(1, static_cast<char16_t>(0xDC00))};
    for (std::size_t length = 0; length <= 26; ++length) {
        for (std::size_t at = 0; at <= length; ++at) {
            for (const std::u16string& special : specials) {
                std::u16string text;
                for (std::size_t i = 0; i < length; ++i) {
                    text.push_back(static_cast<char16_t>(u'a' + i % 26));
                }
                text.insert(at, special);
                for (const bool doubleQuotes : {false, true}) {
                    std::u16string quoted;
                    for (char16_t unit : text) {
                        quoted.push_back(unit);
                        if (doubleQuotes && unit == u'"') {
                            quoted.push_back(unit);
                        }
                    }
                    std::string out(3 * text.size(), '\0');
                    auto* const start = reinterpret_cast<std::uint8_t*>(out.data());
                    out.resize(
                        static_cast<std::size_t>(EncodeUtf8(text, doubleQuotes, start) - start));
                    EXPECT_EQ(out, Utf16ToUtf8(quoted)) << length << " " << at;
                }
            }
        }
    }
}

}  // namespace
}  // namespace kestrine
