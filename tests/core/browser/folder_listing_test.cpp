#include "browser/current_path.h"
#include "browser/folder_listing.h"
#include "browser/parent_map.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrine {
namespace {

TFileBrowserItem Folder(std::u16string name, std::int32_t id) {
    TFileBrowserItem item;
    item.IsFolder = true;
    item.Id = id;
    item.Name = std::move(name);
    return item;
}

TFileBrowserItem File(std::u16string name, std::int64_t size) {
    TFileBrowserItem item;
    item.Name = std::move(name);
    item.Size = size;
    return item;
}

std::vector<std::u16string> Names(const std::vector<TFileBrowserItem>& listing) {
    std::vector<std::u16string> names;
    for (const auto& item : listing) {
        names.push_back(item.Name);
    }
    return names;
}

TEST(BrowserListingTest, FoldersFirstThenByNameIgnoringCase) {
    std::vector<TFileBrowserItem> listing = {File(u"b.txt", 1),    Folder(u"beta", 3),
                                             File(u"A.txt", 2),    Folder(u"Alpha", 4),
                                             Folder(u"alpha2", 5), Folder(u"Gamma", 6)};
    FinishFolderListing(listing, -1, StringList{u"-1=7"});
    EXPECT_EQ(Names(listing), (std::vector<std::u16string>{u"Alpha", u"alpha2", u"beta", u"Gamma",
                                                           u"A.txt", u"b.txt"}));
}

TEST(BrowserListingTest, ParentEntryLeadsToTheRecordedParent) {
    StringList parentMap;
    RecordParent(parentMap, 17, -1);
    RecordParent(parentMap, 23, 17);
    RecordParent(parentMap, 17, 99);  // a folder keeps its first recorded parent
    EXPECT_EQ(parentMap, (StringList{u"17=-1", u"23=17"}));
    EXPECT_EQ(RecordedParent(parentMap, 17), -1);
    EXPECT_EQ(RecordedParent(parentMap, 5), std::nullopt);

    std::vector<TFileBrowserItem> listing = {File(u"x", 1), Folder(u"sub", 23)};
    FinishFolderListing(listing, 17, parentMap);
    ASSERT_EQ(Names(listing), (std::vector<std::u16string>{u"..", u"sub", u"x"}));
    EXPECT_TRUE(listing[0].IsFolder);
    EXPECT_EQ(listing[0].Id, -1);

    // No entry for the folder, or the host's top level: no "..".
    std::vector<TFileBrowserItem> unknown = {Folder(u"a", 40)};
    FinishFolderListing(unknown, 40, parentMap);
    EXPECT_EQ(Names(unknown), (std::vector<std::u16string>{u"a"}));
    std::vector<TFileBrowserItem> top;
    FinishFolderListing(top, -1, StringList{u"-1=3"});
    EXPECT_TRUE(top.empty());

    // An entry whose value is no number gives no "..".
    std::vector<TFileBrowserItem> broken;
    FinishFolderListing(broken, 8, StringList{u"8=up"});
    EXPECT_TRUE(broken.empty());
    std::vector<TFileBrowserItem> empty;
    FinishFolderListing(empty, 23, parentMap);
    EXPECT_EQ(Names(empty), (std::vector<std::u16string>{u".."}));
}

TEST(BrowserListingTest, RowTextsAndCounts) {
    EXPECT_EQ(FileCountText(0), u"0 file(s)");
    EXPECT_EQ(FileCountText(12), u"12 file(s)");
    const PortableValueFormatter formatter;
    std::u16string text;
    AppendContentSizeText(Folder(u"f", 1), formatter, text);
    EXPECT_EQ(text, u"");
    AppendContentSizeText(File(u"f", 2400016), formatter, text);
    EXPECT_EQ(text, u"2.28 MB");
    EXPECT_EQ(ContentIconAttributes(Folder(u"f", 1)), 16u);
    EXPECT_EQ(ContentIconAttributes(File(u"f", 1)), 32u);
}

TEST(CurrentPathTest, PathLineAndCurrentPath) {
    EXPECT_EQ(kInitialPathLine, u"PATH: \\\\");
    EXPECT_EQ(PathLineText(u"\\\\PC\\share\\"), u"PATH: \\\\PC\\share\\");
    struct Case {
        std::u16string path;
        std::u16string current;
    };
    const Case cases[] = {
        {u"\\\\PC", u"\\\\PC"},
        {u"\\\\PC\\share\\", u"\\\\PC\\share"},
        {u"\\\\PC\\share\\\\", u"\\\\PC\\share\\"},  // only one is removed
        {u"", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CurrentPathOf(c.path), c.current);
    }
}

}  // namespace
}  // namespace kestrine
