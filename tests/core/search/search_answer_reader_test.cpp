#include "search/search_answer_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "common/deflate.h"
#include "common/failure.h"
#include "common/inflate.h"
#include "common/text.h"
#include "protocol/answer_layouts.h"
#include "protocol/answer_writers.h"
#include "protocol/value_writer.h"

namespace kestrine {
namespace {

// What a read left: the rows (as the cells show them) and how it ended.
struct Outcome {
    std::vector<std::u16string> rows;
    std::string failure = "ok";
    bool operator==(const Outcome&) const = default;
};

std::u16string RowText(const SearchHitView& hit) {
    return std::u16string(hit.Computer) + u"|" + std::u16string(hit.Folder) + u"|" +
           std::u16string(hit.FileName) + u"|" + ToText(hit.Size) + u"|" +
           ToText(static_cast<std::int64_t>(hit.Modified * 1000)) + u"|" + ToText(hit.Attributes);
}

template <typename Read>
Outcome ReadPage(Read read) {
    Outcome outcome;
    SearchResultList page;
    try {
        read(page);
    } catch (const Failure& failure) {
        outcome.failure = Utf16ToUtf8(failure.Message());
    }
    page.ForEachRow([&](const SearchHitView& hit) { outcome.rows.push_back(RowText(hit)); });
    return outcome;
}

// The reference: inflate everything, then read it with the record-by-record reader.
Outcome InflateThenRead(const Bytes& compressed, std::size_t maxSize) {
    Outcome outcome;
    try {
        Bytes buffer = compressed;
        InflateInPlace(buffer, maxSize);
        ReadSearchResults(buffer,
                          [&](TFileSearchItem&& item) { outcome.rows.push_back(RowText(item)); });
    } catch (const Failure& failure) {
        outcome.failure = Utf16ToUtf8(failure.Message());
    }
    return outcome;
}

Outcome ReadRaw(const Bytes& stream) {
    Outcome outcome;
    try {
        ReadSearchResults(stream,
                          [&](TFileSearchItem&& item) { outcome.rows.push_back(RowText(item)); });
    } catch (const Failure& failure) {
        outcome.failure = Utf16ToUtf8(failure.Message());
    }
    return outcome;
}

// Hands the inflated stream to the reader in pieces of the given sizes, over and over.
Outcome ReadInPieces(const Bytes& stream, const std::vector<std::size_t>& pieces) {
    return ReadPage([&](SearchResultList& page) {
        SearchAnswerReader reader(page);
        std::size_t at = 0;
        for (std::size_t i = 0; at < stream.size(); ++i) {
            const std::span<std::uint8_t> room = reader.Room();
            const std::size_t count =
                std::min({pieces[i % pieces.size()], room.size(), stream.size() - at});
            std::copy_n(stream.begin() + static_cast<std::ptrdiff_t>(at), count, room.begin());
            reader.Received(count);
            at += count;
        }
        reader.Finish();
    });
}

void Row(ValueWriter& w, int i) {
    // Every string tag, non-ASCII text and trailing separators, and every integer tag.
    switch (i % 4) {
        case 0:
            w.ShortString("share\\docs\\").ShortString("a" + std::to_string(i) + ".txt");
            w.Int8(static_cast<std::int8_t>(-i)).Date(45000.5).Int8(32);
            w.ShortString("\\\\ALPHA").Int8(0);
            break;
        case 1:
            w.LongString("caf\xe9\\\\").Utf8String(u"\u00fcber \U0001F600 " + ToText(i));
            w.Int16(static_cast<std::int16_t>(i * 100)).Int32(2).Int16(16);
            w.WideString(u"\\\\BETA").Int32(7);
            break;
        case 2:
            w.Utf8String(u"plain folder name longer than sixteen").WideString(u"w\u00e9de");
            w.Int64((std::int64_t{1} << 40) + i).Int64(40000).Int32(-1);
            w.ShortString("\\\\ALPHA").Int16(1);
            break;
        default:
            w.ShortString("").ShortString("").Int32(i).Date(1e300).Int8(0);
            w.ShortString("").Int8(0);
            break;
    }
}

Bytes Header(std::int32_t version = 1, std::int32_t count = 7) {
    ValueWriter w;
    w.Int8(static_cast<std::int8_t>(version)).Int8(static_cast<std::int8_t>(count)).ListBegin();
    return w.Take();
}

Bytes Rows(int first, int count) {
    ValueWriter w;
    for (int i = first; i < first + count; ++i) {
        Row(w, i);
    }
    return w.Take();
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

const Bytes kEnd = {0};

struct StreamCase {
    const char* name;
    Bytes stream;
};

std::vector<StreamCase> StreamCases() {
    Bytes truncated = Concat({Header(), Rows(0, 9)});
    truncated.resize(truncated.size() - 3);
    return {
        {"complete, with bytes after the list", Concat({Header(), Rows(0, 50), kEnd, {1, 2, 3}})},
        {"empty list", Concat({Header(), kEnd})},
        {"wrong version", Concat({Header(2), Rows(0, 3), kEnd})},
        {"wrong count", Concat({Header(1, 4), Rows(0, 3), kEnd})},
        {"bad tag inside a row", Concat({Header(), Rows(0, 5), {6, 1, 'x', 19}, kEnd})},
        {"bad tag where a row starts", Concat({Header(), Rows(0, 5), {9}})},
        {"no list begin", Concat({Bytes{2, 1, 2, 7, 4}})},
        {"ends inside a row", truncated},
        {"ends before the end of the list", Concat({Header(), Rows(0, 6)})},
        {"wide string longer than the data", Concat({Header(), Rows(0, 2), {18, 0, 0, 0, 0x80}})},
        {"nothing", Bytes{}},
    };
}

TEST(SearchAnswerReader, PiecesOfAnySizeReadLikeTheWholeStream) {
    std::mt19937 random(7);
    for (const StreamCase& c : StreamCases()) {
        const Outcome whole = ReadRaw(c.stream);
        EXPECT_EQ(ReadPage([&](SearchResultList& page) { ReadSearchResults(c.stream, page); }),
                  whole)
            << c.name;
        for (const std::vector<std::size_t>& pieces :
             std::vector<std::vector<std::size_t>>{{1}, {2}, {3}, {7}, {64}, {1, 100, 5}}) {
            EXPECT_EQ(ReadInPieces(c.stream, pieces), whole) << c.name << " in " << pieces[0];
        }
        std::vector<std::size_t> randomPieces(50);
        for (std::size_t& piece : randomPieces) {
            piece = 1 + random() % 40;
        }
        EXPECT_EQ(ReadInPieces(c.stream, randomPieces), whole) << c.name << " at random";
    }
}

TEST(SearchAnswerReader, AFailureInAnyRowKeepsExactlyTheRowsBeforeIt) {
    // Rows are taken in batches; the failing row may fall anywhere in one.
    for (int failing = 0; failing <= 40; ++failing) {
        const Bytes stream =
            Concat({Header(), Rows(0, failing), {6, 1, 'x', 99}, Rows(0, 3), kEnd});
        const Outcome outcome =
            ReadPage([&](SearchResultList& page) { ReadSearchResults(stream, page); });
        EXPECT_EQ(outcome, ReadRaw(stream)) << failing;
        EXPECT_EQ(outcome.rows.size(), static_cast<std::size_t>(failing));
        EXPECT_EQ(outcome.failure, "Invalid property value");
    }
}

TEST(SearchAnswerReader, ComputersAndFoldersInAnyOrderKeepTheirTexts) {
    // More distinct folders than the reader remembers by their bytes, some too long to be
    // remembered, each under several tags and with and without the trailing separator, all in
    // random order, repeats among them.
    std::mt19937 random(11);
    ValueWriter w;
    w.Int8(1).Int8(7).ListBegin();
    for (int i = 0; i < 120'000; ++i) {
        const std::uint32_t folder = random() % 60'000;
        std::string text = "share\\" + std::to_string(folder);
        if (folder % 5 == 0) {
            text += "\\a folder name long enough not to be kept beside its id";
        }
        if (random() % 2 == 0) {
            text += "\\";
        }
        switch (random() % 3) {
            case 0:
                w.ShortString(text);
                break;
            case 1:
                w.LongString(text);
                break;
            default:
                w.Utf8String(FromAscii(text));
                break;
        }
        w.ShortString("f" + std::to_string(i)).Int32(i).Date(45000).Int8(32);
        const std::string computer = "\\\\PC" + std::to_string(random() % 500);
        if (random() % 2 == 0) {
            w.ShortString(computer);
        } else {
            w.WideString(FromAscii(computer));
        }
        w.Int8(0);
    }
    w.ListEnd();
    const Bytes stream = w.Take();
    const Outcome outcome =
        ReadPage([&](SearchResultList& page) { ReadSearchResults(stream, page); });
    EXPECT_EQ(outcome.failure, "ok");
    EXPECT_EQ(outcome, ReadRaw(stream));
}

TEST(SearchAnswerReader, AnswersEndAsIfInflatedWholeFirst) {
    const Bytes good = Concat({Header(), Rows(0, 2000), kEnd});
    const Bytes badRow = Concat({Header(), Rows(0, 1500), {6, 1, 'x', 99}, Rows(0, 500), kEnd});
    Bytes corruptTail = Deflate(badRow);
    corruptTail.back() ^= 0x55;  // the checksum: zlib fails only after every row is there
    Bytes cut = Deflate(good);
    cut.resize(cut.size() / 2);

    const struct {
        const char* name;
        Bytes compressed;
        std::size_t maxSize;
        std::string failure;
        bool rowsKept;
    } cases[] = {
        {"good", Deflate(good), kMaxInflatedSize, "ok", true},
        {"bad row in a clean stream", Deflate(badRow), kMaxInflatedSize, "Invalid property value",
         true},
        {"bad row, then a zlib failure", corruptTail, kMaxInflatedSize, "data error", false},
        {"cut short", cut, kMaxInflatedSize, "Stream read error", true},
        {"above the size bound", Deflate(good), good.size() - 1, "insufficient memory", false},
        {"exactly at the size bound", Deflate(good), good.size(), "ok", true},
        {"not zlib at all", good, kMaxInflatedSize, "data error", false},
    };
    for (const auto& c : cases) {
        const Outcome reference = InflateThenRead(c.compressed, c.maxSize);
        const Outcome streamed = ReadPage(
            [&](SearchResultList& page) { ReadSearchAnswer(c.compressed, page, c.maxSize); });
        EXPECT_EQ(streamed, reference) << c.name;
        EXPECT_EQ(streamed.failure, c.failure) << c.name;
        EXPECT_EQ(!streamed.rows.empty(), c.rowsKept) << c.name;
    }
}

TEST(SearchAnswerReader, AZlibFailureLeavesTheRowsThatWereThereBefore) {
    SearchResultList page;
    page.Append(TFileSearchItem{u"\\\\PC", u"kept", u"before.txt", 1, 0, 32});
    Bytes broken = Deflate(Concat({Header(), Rows(0, 3000), kEnd}));
    broken.back() ^= 1;
    EXPECT_THROW(ReadSearchAnswer(broken, page), Failure);
    ASSERT_EQ(page.Count(), 1u);
    EXPECT_EQ(page.Row(0)->FileName, u"before.txt");
    // The page still takes rows afterwards.
    ReadSearchAnswer(Deflate(Concat({Header(), Rows(0, 2), kEnd})), page);
    EXPECT_EQ(page.Count(), 3u);
}

TEST(SearchAnswerReader, ARowLargerThanTheWindowIsRead) {
    ValueWriter w;
    w.Int8(1).Int8(7).ListBegin();
    const std::string longName(3'000'000, 'n');
    w.ShortString("f\\").LongString(longName).Int8(1).Int8(2).Int8(32).ShortString("\\\\PC").Int8(
        0);
    w.ListEnd();
    SearchResultList page;
    ReadSearchAnswer(Deflate(w.Data()), page);
    ASSERT_EQ(page.Count(), 1u);
    EXPECT_EQ(page.Row(0)->FileName.size(), longName.size());
    EXPECT_EQ(page.Row(0)->Folder, u"f");
}

}  // namespace
}  // namespace kestrine
