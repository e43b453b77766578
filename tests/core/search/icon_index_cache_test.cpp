#include "search/icon_index_cache.h"

#include "common/text.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrine {
namespace {

TEST(IconIndexCacheTest, ExtensionIsWhatFollowsTheLastDot) {
    struct Case {
        std::u16string name;
        std::u16string extension;
    };
    const Case cases[] = {
        {u"report.doc", u".doc"},
        {u"archive.tar.gz", u".gz"},
        {u"README", u""},
        {u".profile", u".profile"},
        {u"name.", u"."},
        {u"a.b c", u""},
        {u"dir.x\\file", u""},
        {u"dir\\file.TXT", u".TXT"},
        {u"", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShellExtension(c.name), c.extension);
    }
}

// A stand-in for the shell that, like SHGetFileInfoW with SHGFI_USEFILEATTRIBUTES, decides by
// attributes and extension; it counts its calls.
struct FakeShell {
    int calls = 0;
    int Lookup(std::u16string_view name, std::uint32_t attributes) {
        ++calls;
        std::u16string extension(ShellExtension(name));
        for (auto& c : extension) {
            if (c >= u'A' && c <= u'Z') {
                c = static_cast<char16_t>(c - u'A' + u'a');
            }
        }
        if (extension == u".bad") {
            return -1;
        }
        return static_cast<int>(attributes * 1000 + extension.size() * 10 +
                                (extension.empty() ? 0 : extension.back() % 10));
    }
};

TEST(IconIndexCacheTest, GivesTheShellsAnswerAndAsksOncePerKind) {
    FakeShell shell;
    IconIndexCache cache(
        [&shell](std::u16string_view n, std::uint32_t a) { return shell.Lookup(n, a); });
    const std::vector<std::pair<std::u16string, std::uint32_t>> rows = {
        {u"a.txt", 32}, {u"b.TXT", 32}, {u"c.txt", 33}, {u"folder", 16},   {u"other", 16},
        {u"x.txt", 16}, {u"noext", 32}, {u"again", 32}, {u"a.exe", 32},    {u"b.exe", 32},
        {u"p.lnk", 32}, {u"q.LNK", 32}, {u"a.txt", 32}, {u"d.\u00c9", 32}, {u"d.\u00e9", 32},
    };
    FakeShell reference;
    for (const auto& [name, attributes] : rows) {
        EXPECT_EQ(cache.IndexFor(name, attributes), reference.Lookup(name, attributes))
            << Utf16ToUtf8(name);
    }
    // txt/32, txt/33, folder/16, txt/16, none/32, exe/32, lnk/32, É/32, é/32.
    EXPECT_EQ(shell.calls, 9);
    EXPECT_EQ(cache.Size(), 9u);
}

TEST(IconIndexCacheTest, FailedLookupsAreAskedAgainAndClearForgets) {
    FakeShell shell;
    IconIndexCache cache(
        [&shell](std::u16string_view n, std::uint32_t a) { return shell.Lookup(n, a); });
    EXPECT_EQ(cache.IndexFor(u"x.bad", 32), -1);
    EXPECT_EQ(cache.IndexFor(u"x.bad", 32), -1);
    EXPECT_EQ(shell.calls, 2);
    cache.IndexFor(u"a.txt", 32);
    cache.Clear();
    cache.IndexFor(u"a.txt", 32);
    EXPECT_EQ(shell.calls, 4);
}

}  // namespace
}  // namespace kestrine
