#include "request_handler.h"

#include <gtest/gtest.h>

#include <random>

#include "common/inflate.h"
#include "common/text.h"
#include "index_fixture.h"
#include "protocol/answer_layouts.h"
#include "protocol/request_document.h"

namespace kestrine::server {
namespace {

Bytes Inflated(const HandledRequest& handled) {
    EXPECT_FALSE(handled.failed) << Utf16ToUtf8(handled.reason);
    Bytes stream = handled.answer;
    InflateInPlace(stream);
    return stream;
}

std::u16string ErrorText(const HandledRequest& handled) {
    EXPECT_TRUE(handled.failed);
    return Utf16LeToText(handled.answer);
}

TEST(RequestHandlerTest, AnswersASearchInTheSearchLayout) {
    const FileIndex index = testing::SmallIndex();
    const HandledRequest handled =
        HandleRequest(index, BuildSearchRequest({10, 0, 0, 0, u"REPORT", u"*"}));
    std::vector<TFileSearchItem> rows;
    ReadSearchResults(Inflated(handled), [&](TFileSearchItem&& row) { rows.push_back(row); });
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Computer, u"\\\\ALPHA");
    EXPECT_EQ(rows[0].Folder, u"share\\docs");
    EXPECT_EQ(rows[0].FileName, u"Report.pdf");
    EXPECT_EQ(rows[0].Size, 5000000000LL);
    EXPECT_EQ(rows[1].Computer, u"\\\\BETA");
    EXPECT_EQ(handled.command, "srvsearch");
    EXPECT_EQ(handled.rows, 2u);
    EXPECT_EQ(handled.LogLine().rfind("srvsearch rows=2 ms=", 0), 0u);
}

TEST(RequestHandlerTest, AnswersTheThreeBrowseRequests) {
    const FileIndex index = testing::SmallIndex();
    std::vector<HostRecord> hosts;
    ReadHostList(Inflated(HandleRequest(index, BuildBrowseRequest(-1, -1))),
                 [&](HostRecord&& host) { hosts.push_back(host); });
    ASSERT_EQ(hosts.size(), 2u);
    EXPECT_EQ(hosts[0].Id, 1);
    EXPECT_EQ(hosts[0].Name, u"\\\\ALPHA");
    EXPECT_EQ(hosts[0].Updated, 45000.5);
    EXPECT_EQ(hosts[0].Active, 1);
    EXPECT_EQ(hosts[1].Active, 0);

    std::vector<TFileBrowserItem> top;
    ReadFolderListing(
        Inflated(HandleRequest(index, BuildBrowseRequest(1, -1))), false,
        [](std::u16string&&) { ADD_FAILURE() << "no path at the top level"; },
        [&](TFileBrowserItem&& item) { top.push_back(item); });
    ASSERT_EQ(top.size(), 1u);
    EXPECT_TRUE(top[0].IsFolder);
    EXPECT_EQ(top[0].Name, u"share");

    std::u16string path;
    std::vector<TFileBrowserItem> items;
    const std::int32_t docs = index.FindFolder(top[0].Id)->subfolders[0];
    ReadFolderListing(
        Inflated(HandleRequest(index, BuildBrowseRequest(1, docs))), true,
        [&](std::u16string&& text) { path = text; },
        [&](TFileBrowserItem&& item) { items.push_back(item); });
    EXPECT_EQ(path, u"\\\\ALPHA\\share\\docs");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_FALSE(items[0].IsFolder);
    EXPECT_EQ(items[0].Name, u"a.txt");
    EXPECT_EQ(items[1].Size, 5000000000LL);
    EXPECT_TRUE(items[2].IsFolder);
    EXPECT_EQ(items[2].Name, u"reports");
    EXPECT_EQ(items[2].Id, index.FindFolder(docs)->subfolders[0]);
}

TEST(RequestHandlerTest, AnswersBadRequestsWithAnErrorText) {
    const FileIndex index = testing::SmallIndex();
    const std::int32_t betaFolder = index.Hosts()[1].topFolders[0];
    struct Case {
        Bytes document;
        std::u16string text;
    };
    const Case cases[] = {
        {BuildBrowseRequest(9, -1), u"ERROR: no host with id 9"},
        {BuildBrowseRequest(1, 9999), u"ERROR: no folder with id 9999 on \\\\ALPHA"},
        {BuildBrowseRequest(1, betaFolder),
         u"ERROR: no folder with id " + ToText(betaFolder) + u" on \\\\ALPHA"},
        {BuildBrowseRequest(-1, betaFolder), u"ERROR: a folder needs its host"},
        {BuildSearchRequest({1, 0, 0, 0, u"", u"zip"}), u"ERROR: bad extension list \"zip\""},
        {Bytes{'<', 'x'}, u"ERROR: malformed request document: unterminated start tag at offset 2"},
        {Bytes(kMaxRequestBytes + 1, ' '), u"ERROR: request too long"},
    };
    for (const Case& c : cases) {
        const HandledRequest handled = HandleRequest(index, c.document);
        EXPECT_EQ(ErrorText(handled), c.text);
        EXPECT_EQ(handled.rows, 0u);
    }
}

TEST(RequestHandlerTest, SurvivesArbitraryBytes) {
    const FileIndex index = testing::SmallIndex();
    const Bytes valid = BuildSearchRequest({5, 0, 2, 0, u"a", u"'pdf'"});
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        Bytes document = valid;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i) {
            document[random() % document.size()] = static_cast<std::uint8_t>(random());
        }
        document.resize(random() % (document.size() + 1));
        const HandledRequest handled = HandleRequest(index, document);
        EXPECT_FALSE(handled.answer.empty());
        if (handled.failed) {
            EXPECT_EQ(Utf16LeToText(handled.answer).rfind(u"ERROR: ", 0), 0u);
        }
    }
}

}  // namespace
}  // namespace kestrine::server
