#include "common/failure.h"
#include "lists/string_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrine {
namespace {

using Entries = std::vector<std::u16string>;

Entries Read(std::u16string_view text) {
    StringList list;
    list.SetCommaText(text);
    return list.Entries();
}

std::u16string Write(const Entries& entries) {
    StringList list;
    for (const auto& entry : entries) {
        list.Add(entry);
    }
    return list.GetCommaText();
}

struct CommaTextCase {
    const char* label;
    std::u16string text;
    Entries entries;
};

// Texts that GetCommaText produces for these entries, and that read back to them.
const CommaTextCase kCanonical[] = {
    {"empty list", u"", {}},
    {"one empty entry", u"\"\"", {u""}},
    {"plain entries", u"a,b,c", {u"a", u"b", u"c"}},
    {"categories with a quoted entry",
     u"Any=*,\"HTML Documents=htm,html,asp,shtml\"",
     {u"Any=*", u"HTML Documents=htm,html,asp,shtml"}},
    {"doubled quote", u"\"say \"\"hi\"\"\",x", {u"say \"hi\"", u"x"}},
    {"lone quote", u"\"\"\"\"", {u"\""}},
    {"empty entry in the middle", u"a,,b", {u"a", u"", u"b"}},
    {"empty entry at the end", u"a,", {u"a", u""}},
    {"empty entry at the start", u",a", {u"", u"a"}},
    {"two empty entries", u",", {u"", u""}},
    {"three empty entries", u",,", {u"", u"", u""}},
    {"space and tab are quoted", u"\"a b\",\"\tx\"", {u"a b", u"\tx"}},
    {"control character is quoted", u"\"\x01\"", {u"\x01"}},
    {"non-ASCII stays plain", u"\u00e9t\u00e9,\u0416", {u"\u00e9t\u00e9", u"\u0416"}},
};

TEST(StringListCommaTextTest, WritesAndReadsBack) {
    for (const auto& c : kCanonical) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(Write(c.entries), c.text);
        EXPECT_EQ(Read(c.text), c.entries);
    }
}

// Texts written by hand (or by other programs) that only reading has to cope with.
const CommaTextCase kReadOnly[] = {
    {"unquoted spaces separate", u"a b", {u"a", u"b"}},
    {"comma, space, end gives one entry", u"a, ", {u"a"}},
    {"blanks around entries are skipped", u"  a ,\t b  ", {u"a", u"b"}},
    {"only blanks", u" \r\n ", {}},
    {"missing closing quote runs to the end", u"\"a,b", {u"a,b"}},
    {"text after a closing quote is the next entry", u"\"a\"b,c", {u"a", u"b", u"c"}},
    {"quoted entry then comma at the end", u"\"a\",", {u"a", u""}},
    {"quote inside an unquoted entry is kept", u"a\"b", {u"a\"b"}},
    {"blank then comma", u" ,a", {u"", u"a"}},
    {"NUL separates like a blank", std::u16string(u"a\0b", 3), {u"a", u"b"}},
    {"NUL inside quotes is kept", std::u16string(u"\"a\0b\"", 5), {std::u16string(u"a\0b", 3)}},
};

TEST(StringListCommaTextTest, ReadsHandWrittenText) {
    for (const auto& c : kReadOnly) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(Read(c.text), c.entries);
    }
}

TEST(StringListCommaTextTest, EntryWithNulSurvivesARoundTrip) {
    const Entries entries = {std::u16string(u"a\0b", 3), u"c"};
    EXPECT_EQ(Read(Write(entries)), entries);
}

TEST(StringListCommaTextTest, SetCommaTextReplacesTheContent) {
    StringList list{u"old"};
    list.SetCommaText(u"new");
    EXPECT_EQ(list.Entries(), Entries{u"new"});
}

TEST(StringListNameValueTest, NameAndValueSplitAtTheFirstEqualsSign) {
    const StringList list{u"Archives=zip,arj", u"a=b=c", u"=v", u"k=", u"plain"};
    EXPECT_EQ(list.NameAt(0), u"Archives");
    EXPECT_EQ(list.ValueAt(0), u"zip,arj");
    EXPECT_EQ(list.NameAt(1), u"a");
    EXPECT_EQ(list.ValueAt(1), u"b=c");
    EXPECT_EQ(list.NameAt(2), u"");
    EXPECT_EQ(list.ValueAt(2), u"v");
    EXPECT_EQ(list.NameAt(3), u"k");
    EXPECT_EQ(list.ValueAt(3), u"");
    EXPECT_EQ(list.NameAt(4), u"");
    EXPECT_EQ(list.ValueAt(4), u"");
}

TEST(StringListNameValueTest, IndexOfNameIgnoresCaseAndTakesTheFirstMatch) {
    const StringList list{u"plain", u"Audio=mp3", u"Archives=zip", u"ARCHIVES=rar", u"12=7"};
    EXPECT_EQ(list.IndexOfName(u"archives"), 2);
    EXPECT_EQ(list.Value(u"archives"), u"zip");
    EXPECT_EQ(list.IndexOfName(u"AUDIO"), 1);
    EXPECT_EQ(list.IndexOfName(u"12"), 4);
    EXPECT_EQ(list.Value(u"12"), u"7");
    EXPECT_EQ(list.IndexOfName(u"Archive"), -1);
    EXPECT_EQ(list.Value(u"Video"), u"");
    // An entry without "=" has an empty name: the empty name finds it, its text does not.
    EXPECT_EQ(list.IndexOfName(u"plain"), -1);
    EXPECT_EQ(list.IndexOfName(u""), 0);
    EXPECT_EQ(list.Value(u""), u"");
}

TEST(StringListNameValueTest, IndexOfNameFoldsNonAsciiLetters) {
    const StringList list{u"\u00c9T\u00c9=1", u"\u0416\u0401=2", u"\u03a3\u039f\u03a6=3"};
    EXPECT_EQ(list.IndexOfName(u"\u00e9t\u00e9"), 0);
    EXPECT_EQ(list.IndexOfName(u"\u0436\u0451"), 1);
    EXPECT_EQ(list.IndexOfName(u"\u03c3\u03bf\u03c6"), 2);
}

TEST(StringListEditTest, AddInsertDeleteClear) {
    StringList list;
    list.Add(u"b");
    list.Insert(0, u"a");
    list.Insert(2, u"d");
    list.Insert(2, u"c");
    EXPECT_EQ(list.Entries(), (Entries{u"a", u"b", u"c", u"d"}));
    list.Delete(1);
    list.Set(0, u"A");
    EXPECT_EQ(list.Entries(), (Entries{u"A", u"c", u"d"}));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.At(2), u"d");
    list.Clear();
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringListEditTest, BadIndexesFailWithAMessage) {
    StringList list{u"a"};
    EXPECT_THROW(list.At(1), Failure);
    EXPECT_THROW(list.At(-1), Failure);
    EXPECT_THROW(list.Insert(2, u"x"), Failure);
    EXPECT_THROW(list.Delete(1), Failure);
    EXPECT_THROW(list.NameAt(5), Failure);
    try {
        list.Delete(-1);
        FAIL();
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.Message(), u"List index out of bounds (-1)");
    }
    EXPECT_EQ(list.Count(), 1);
}

}  // namespace
}  // namespace kestrine
