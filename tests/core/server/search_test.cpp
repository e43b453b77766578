#include "search.h"

#include <gtest/gtest.h>

#include "common/failure.h"
#include "index_fixture.h"

namespace kestrine::server {
namespace {

std::vector<std::u16string> Paths(const std::vector<TFileSearchItem>& rows) {
    std::vector<std::u16string> paths;
    for (const TFileSearchItem& row : rows) {
        paths.push_back(row.Computer + u"\\" + row.Folder + row.FileName);
    }
    return paths;
}

SearchRequest Request(std::u16string query, std::int32_t mode = 0, std::int32_t active = 0,
                      std::u16string extensions = u"*", std::int32_t skip = 0,
                      std::int32_t limit = 100) {
    return {limit, skip, mode, active, std::move(query), std::move(extensions)};
}

TEST(SearchTest, SelectsByNameModeHostStateAndExtension) {
    const FileIndex index = testing::SmallIndex();
    struct Case {
        const char* name;
        SearchRequest request;
        std::vector<std::u16string> paths;
    };
    const Case cases[] = {
        {"files",
         Request(u"report"),
         {u"\\\\ALPHA\\share\\docs\\Report.pdf", u"\\\\BETA\\pub\\report.txt"}},
        {"folders", Request(u"report", 1), {u"\\\\ALPHA\\share\\docs\\reports"}},
        {"both, in tree order",
         Request(u"r*", 2),
         {u"\\\\ALPHA\\share\\docs\\Report.pdf", u"\\\\ALPHA\\share\\docs\\reports",
          u"\\\\BETA\\pub\\report.txt"}},
        {"active hosts only", Request(u"report", 0, 1), {u"\\\\ALPHA\\share\\docs\\Report.pdf"}},
        {"extensions, a folder's files before its subfolders",
         Request(u"", 0, 0, u"'pdf','ZIP'"),
         {u"\\\\ALPHA\\share\\x.zip", u"\\\\ALPHA\\share\\docs\\Report.pdf",
          u"\\\\ALPHA\\share\\docs\\reports\\q1.pdf"}},
        {"shares are never hits", Request(u"share", 1), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Paths(Search(index, c.request)), c.paths);
    }
}

TEST(SearchTest, FillsRowsAsTheClientComposesThem) {
    const FileIndex index = testing::SmallIndex();
    const std::vector<TFileSearchItem> rows = Search(index, Request(u"re", 2, 1));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Computer, u"\\\\ALPHA");
    EXPECT_EQ(rows[0].Folder, u"share\\docs\\");
    EXPECT_EQ(rows[0].FileName, u"Report.pdf");
    EXPECT_EQ(rows[0].Size, 5000000000LL);
    EXPECT_EQ(rows[0].Modified, 44003);
    EXPECT_EQ(rows[0].Attributes, 33);
    EXPECT_EQ(rows[1].FileName, u"reports");
    EXPECT_EQ(rows[1].Folder, u"share\\docs\\");
    EXPECT_EQ(rows[1].Attributes, 16);
    EXPECT_EQ(rows[1].Size, 0);
}

TEST(SearchTest, PagesThroughAStableOrder) {
    const FileIndex index = testing::SmallIndex();
    const std::vector<std::u16string> all = Paths(Search(index, Request(u"", 2)));
    ASSERT_EQ(all.size(), 7u);
    for (std::int32_t limit : {1, 2, 3, 7, 8}) {
        std::vector<std::u16string> paged;
        for (std::int32_t skip = 0; skip < 9; skip += limit) {
            const auto page = Paths(Search(index, Request(u"", 2, 0, u"*", skip, limit)));
            EXPECT_LE(page.size(), static_cast<std::size_t>(limit));
            paged.insert(paged.end(), page.begin(), page.end());
        }
        EXPECT_EQ(paged, all) << "limit " << limit;
    }
    EXPECT_TRUE(Search(index, Request(u"", 2, 0, u"*", 0, 0)).empty());
    EXPECT_TRUE(Search(index, Request(u"", 2, 0, u"*", 2147483647, 5)).empty());
}

TEST(SearchTest, RefusesAnUnreadableExtensionList) {
    const FileIndex index = testing::SmallIndex();
    EXPECT_THROW(Search(index, Request(u"", 0, 0, u"zip,arj")), Failure);
}

TEST(FileIndexTest, KeepsFolderIdsAcrossARescan) {
    const FileIndex first = testing::SmallIndex();
    FileIndex second(&first);
    const std::int32_t alpha = second.AddHost(u"ALPHA", 1, true);
    const std::int32_t fresh = second.AddFolder(alpha, -1, u"new", 1);
    const std::int32_t share = second.AddFolder(alpha, -1, u"SHARE", 1);
    const std::int32_t docs = second.AddFolder(alpha, share, u"docs", 1);

    EXPECT_EQ(share, first.Hosts()[0].topFolders[0]);
    EXPECT_EQ(docs, first.FindFolder(share)->subfolders[0]);
    EXPECT_EQ(first.FindFolder(fresh), nullptr);
    EXPECT_EQ(second.NetworkPath(*second.FindFolder(docs)), u"\\\\ALPHA\\SHARE\\docs");
}

}  // namespace
}  // namespace kestrine::server
