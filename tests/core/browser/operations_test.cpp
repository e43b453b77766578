#include "browser/operation_enabling.h"
#include "browser/shell_paths.h"
#include "common/text.h"

#include <gtest/gtest.h>

namespace kestrine {
namespace {

TFileSearchItem Hit(std::u16string folder) {
    TFileSearchItem item;
    item.Computer = u"\\\\PC";
    item.Folder = std::move(folder);
    item.FileName = u"a.txt";
    return item;
}

TEST(ShellPathsTest, SearchHitPaths) {
    EXPECT_EQ(SearchItemPath(Hit(u"share\\docs")), u"\\\\PC\\share\\docs\\a.txt");
    EXPECT_EQ(SearchFolderPath(Hit(u"share\\docs")), u"\\\\PC\\share\\docs");
    EXPECT_EQ(SearchItemPath(Hit(u"")), u"\\\\PC\\a.txt");
    EXPECT_EQ(SearchFolderPath(Hit(u"")), u"\\\\PC\\");
}

TEST(ShellPathsTest, BrowserEntryPaths) {
    TFileBrowserItem item;
    item.Name = u"sub";
    EXPECT_EQ(BrowserItemPath(u"\\\\PC\\share", item), u"\\\\PC\\share\\sub");
    EXPECT_EQ(BrowserFolderPath(u"\\\\PC\\share"), u"\\\\PC\\share");
}

TEST(ShellPathsTest, OnlyNetworkPathsGoToTheShell) {
    struct Case {
        std::u16string path;
        bool network;
    };
    const Case cases[] = {
        {u"\\\\PC", true},
        {u"\\\\PC\\share\\a.txt", true},
        {u"\\\\PC\\", true},
        {u"\\\\PC/share", true},
        {u"PC\\share\\a.exe", false},  // relative: would open a local file
        {u"\\PC\\share", false},
        {u"C:\\Windows\\notepad.exe", false},
        {u"\\\\?\\C:\\Windows", false},
        {u"\\\\.\\C:\\Windows", false},
        {u"\\\\.", false},
        {u"\\\\.\\pipe\\x", false},
        {u"\\\\", false},
        {u"\\\\\\PC", false},
        {u"\\\\/PC", false},
        {u"//PC/share", false},
        {u"http://example/x", false},
        {std::u16string(u"\\\\PC\\a.txt\0.exe", 15), false},
        {u"\\\\PC\\a\tb", false},
        {u"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsNetworkPath(c.path), c.network) << Utf16ToUtf8(c.path);
    }
}

TEST(OperationEnablingTest, SearchPageFollowsTheSelection) {
    const TFileSearchItem inFolder = Hit(u"share");
    const TFileSearchItem atTop = Hit(u"");
    EXPECT_EQ(SearchOperationsEnabled(std::nullopt),
              (OperationsEnabled{false, false, false, false}));
    EXPECT_EQ(SearchOperationsEnabled(SearchHitView(inFolder)),
              (OperationsEnabled{true, true, true, true}));
    EXPECT_EQ(SearchOperationsEnabled(SearchHitView(atTop)),
              (OperationsEnabled{true, true, false, true}));
}

TEST(OperationEnablingTest, BrowserPageDisablesEverythingOnParentEntry) {
    TFileBrowserItem folder;
    folder.IsFolder = true;
    folder.Name = u"sub";
    TFileBrowserItem file;
    file.Name = u"a.txt";
    TFileBrowserItem up;
    up.IsFolder = true;
    up.Name = u"..";
    EXPECT_EQ(BrowserOperationsEnabled(nullptr), (OperationsEnabled{false, false, false, false}));
    EXPECT_EQ(BrowserOperationsEnabled(&folder), (OperationsEnabled{true, true, true, true}));
    EXPECT_EQ(BrowserOperationsEnabled(&file), (OperationsEnabled{true, true, false, true}));
    EXPECT_EQ(BrowserOperationsEnabled(&up), (OperationsEnabled{false, false, false, false}));
}

}  // namespace
}  // namespace kestrine
