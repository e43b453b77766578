#include "protocol/answer_layouts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/failure.h"
#include "common/text.h"
#include "protocol/answer_writers.h"
#include "protocol/value_writer.h"

namespace kestrine {
namespace {

// Everything one layout reader delivered, and how it ended.
struct Decoded {
    std::vector<HostRecord> hosts;
    std::vector<std::u16string> paths;
    std::vector<TFileBrowserItem> items;
    std::vector<TFileSearchItem> results;
    std::string failure = "ok";
};

template <typename Read>
Decoded Decode(Read read) {
    Decoded decoded;
    try {
        read(decoded);
    } catch (const Failure& failure) {
        decoded.failure = Utf16ToUtf8(failure.Message());
    }
    return decoded;
}

Decoded Hosts(const Bytes& data) {
    return Decode([&](Decoded& d) {
        ReadHostList(data, [&](HostRecord&& host) { d.hosts.push_back(std::move(host)); });
    });
}

Decoded Folder(const Bytes& data, bool folderRequested) {
    return Decode([&](Decoded& d) {
        ReadFolderListing(
            data, folderRequested, [&](std::u16string&& path) { d.paths.push_back(path); },
            [&](TFileBrowserItem&& item) { d.items.push_back(std::move(item)); });
    });
}

Decoded Search(const Bytes& data) {
    return Decode([&](Decoded& d) {
        ReadSearchResults(data,
                          [&](TFileSearchItem&& item) { d.results.push_back(std::move(item)); });
    });
}

const std::vector<HostRecord> kHosts = {{1, u"\\\\ALPHA", 45000.5, 1}, {2, u"\\\\BETA", 0, 0}};

TEST(HostList, ReadsRowsWithAnyIntegerAndStringTags) {
    ValueWriter w;
    w.Int8(1).Int16(4).ListBegin();
    w.Int8(-1).ShortString("\\\\ALPHA").Date(45000.5).Int8(1);
    w.Int32(2).WideString(u"\\\\BETA").Int32(3).Int16(0);
    w.ListEnd().Raw(Bytes{0xDE, 0xAD});  // trailing bytes are ignored
    const Decoded d = Hosts(w.Take());
    EXPECT_EQ(d.failure, "ok");
    ASSERT_EQ(d.hosts.size(), 2u);
    EXPECT_EQ(d.hosts[0].Id, -1);
    EXPECT_EQ(d.hosts[0].Name, u"\\\\ALPHA");
    EXPECT_EQ(d.hosts[0].Updated, 45000.5);
    EXPECT_EQ(d.hosts[0].Active, 1);
    EXPECT_EQ(d.hosts[1].Updated, 3.0);
    EXPECT_EQ(d.hosts[1].Active, 0);
}

TEST(HostList, WriterAndReaderAgree) {
    const Decoded d = Hosts(WriteHostList(kHosts));
    ASSERT_EQ(d.hosts.size(), 2u);
    EXPECT_EQ(d.hosts[1].Id, 2);
    EXPECT_EQ(d.hosts[1].Name, u"\\\\BETA");
}

// Minimal answers, each producing one failure message.
TEST(AnswerLayouts, EachFailureHasItsMessage) {
    struct Case {
        const char* name;
        Bytes data;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"empty answer", {}, "Stream read error"},
        {"version 2", ValueWriter().Int32(2).Int32(4).Take(), "Unsupported stream version"},
        {"version is a string", ValueWriter().ShortString("1").Take(), "Invalid property value"},
        {"only version and a wrong count", ValueWriter().Int32(1).Int32(3).Take(),
         "Unexpected number of fields"},
        {"version only", ValueWriter().Int32(1).Take(), "Stream read error"},
        // The version is checked before the count: the first mismatch decides.
        {"wrong version and count", ValueWriter().Int32(0).Int32(0).Take(),
         "Unsupported stream version"},
        {"missing list begin", ValueWriter().Int32(1).Int32(4).ListEnd().Take(),
         "Invalid property value"},
        {"unterminated list", ValueWriter().Int32(1).Int32(4).ListBegin().Take(),
         "Stream read error"},
        {"row cut short", ValueWriter().Int32(1).Int32(4).ListBegin().Int32(1).Take(),
         "Stream read error"},
        {"id as a date", ValueWriter().Int32(1).Int32(4).ListBegin().Date(1).Take(),
         "Invalid property value"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Hosts(c.data).failure, c.message) << c.name;
    }
    EXPECT_EQ(Search(ValueWriter().Int32(1).Int32(4).Take()).failure,
              "Unexpected number of fields");
    EXPECT_EQ(Folder(ValueWriter().Int32(1).Int32(7).Take(), false).failure,
              "Unexpected number of fields");
}

TEST(HostList, RowsBeforeAFailureStayWithTheCaller) {
    Bytes data = WriteHostList(kHosts);
    data.pop_back();  // the end-of-list tag
    const Decoded d = Hosts(data);
    EXPECT_EQ(d.failure, "Stream read error");
    EXPECT_EQ(d.hosts.size(), 2u);
}

Bytes TopLevelListing() {
    ValueWriter w;
    w.Int32(1).Int32(4).ListBegin();
    w.Int32(1).Utf8String(u"\\\\ALPHA").Date(1).Int32(1);
    w.ListEnd();
    w.Int32(4).ListBegin();
    w.Int32(9).Int32(17).Utf8String(u"docs").Int32(9);
    w.Int32(9).Int32(18).ShortString("music").Int32(9);
    w.ListEnd();
    return w.Take();
}

TEST(FolderListing, TopLevelHasNoPathAndNoFiles) {
    const Decoded d = Folder(TopLevelListing(), false);
    EXPECT_EQ(d.failure, "ok");
    EXPECT_TRUE(d.paths.empty());
    ASSERT_EQ(d.items.size(), 2u);
    EXPECT_TRUE(d.items[0].IsFolder);
    EXPECT_EQ(d.items[0].Id, 17);
    EXPECT_EQ(d.items[0].Name, u"docs");
    EXPECT_EQ(d.items[0].Size, 0);
    EXPECT_EQ(d.items[1].Id, 18);
}

TEST(FolderListing, TopLevelBytesReadForARealFolderFail) {
    // The count 4 is read where the path string belongs.
    const Decoded d = Folder(TopLevelListing(), true);
    EXPECT_EQ(d.failure, "Invalid property value");
    EXPECT_TRUE(d.items.empty());
}

TEST(FolderListing, RealFolderDeliversPathThenFilesThenFolders) {
    const std::vector<TFileBrowserItem> items = {
        {true, 30, u"sub", 0},
        {false, 0, u"a.txt", 12},
        {false, 0, u"big.iso", std::int64_t{5} << 32},
    };
    const Bytes data = WriteFolderListing(kHosts, u"\\\\ALPHA\\share", items);
    const Decoded d = Folder(data, true);
    EXPECT_EQ(d.failure, "ok");
    EXPECT_EQ(d.paths, std::vector<std::u16string>{u"\\\\ALPHA\\share"});
    ASSERT_EQ(d.items.size(), 3u);
    EXPECT_FALSE(d.items[0].IsFolder);
    EXPECT_EQ(d.items[0].Name, u"a.txt");
    EXPECT_EQ(d.items[0].Size, 12);
    EXPECT_EQ(d.items[0].Id, 0);
    EXPECT_EQ(d.items[1].Size, std::int64_t{5} << 32);
    EXPECT_TRUE(d.items[2].IsFolder);
    EXPECT_EQ(d.items[2].Id, 30);
    // The same bytes read as the top level meet the path where the count 4 belongs.
    EXPECT_EQ(Folder(data, false).failure, "Invalid property value");
}

TEST(FolderListing, PathAndFilesReadBeforeAFailureStay) {
    ValueWriter w;
    w.Int32(1).Int32(4).ListBegin().ListEnd();
    w.Utf8String(u"\\\\ALPHA\\share").Int32(2).ListBegin();
    w.Utf8String(u"a.txt").Int8(12);
    w.ListEnd().Int32(5);
    const Decoded d = Folder(w.Take(), true);
    EXPECT_EQ(d.failure, "Unexpected number of fields");
    EXPECT_EQ(d.paths.size(), 1u);
    EXPECT_EQ(d.items.size(), 1u);
}

Bytes SearchAnswerWithFolder(const std::u16string& folder) {
    ValueWriter w;
    w.Int32(1).Int32(7).ListBegin();
    w.Utf8String(folder).Utf8String(u"a.txt").Int32(12).Date(45000.5).Int8(32);
    w.WideString(u"\\\\ALPHA").Int32(0);
    w.ListEnd();
    return w.Take();
}

TEST(SearchResults, RowMapsToTheRecord) {
    const Decoded d = Search(SearchAnswerWithFolder(u"share\\docs"));
    EXPECT_EQ(d.failure, "ok");
    ASSERT_EQ(d.results.size(), 1u);
    const TFileSearchItem& item = d.results[0];
    EXPECT_EQ(item.Computer, u"\\\\ALPHA");
    EXPECT_EQ(item.Folder, u"share\\docs");
    EXPECT_EQ(item.FileName, u"a.txt");
    EXPECT_EQ(item.Size, 12);
    EXPECT_EQ(item.Modified, 45000.5);
    EXPECT_EQ(item.Attributes, 32);
}

TEST(SearchResults, OneTrailingSeparatorIsRemoved) {
    const std::vector<std::pair<std::u16string, std::u16string>> cases = {
        {u"share\\docs\\", u"share\\docs"},
        {u"share\\docs\\\\", u"share\\docs\\"},
        {u"share\\docs", u"share\\docs"},
        {u"\\", u""},
        {u"", u""},
    };
    for (const auto& [sent, folder] : cases) {
        const Decoded d = Search(SearchAnswerWithFolder(sent));
        ASSERT_EQ(d.results.size(), 1u);
        EXPECT_EQ(d.results[0].Folder, folder);
    }
}

TEST(SearchResults, WriterAndReaderAgreeAndStopAtAFailure) {
    std::vector<TFileSearchItem> items(3);
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i] = {u"\\\\PC", u"f" + ToText(static_cast<int>(i)), u"n", 1, 2.5, 16};
    }
    Bytes data = WriteSearchResults(items);
    EXPECT_EQ(Search(data).results.size(), 3u);
    data.resize(data.size() - 3);  // inside the last row's unused integer
    const Decoded d = Search(data);
    EXPECT_EQ(d.failure, "Stream read error");
    ASSERT_EQ(d.results.size(), 2u);
    EXPECT_EQ(d.results[1].Folder, u"f1");
}

}  // namespace
}  // namespace kestrine
