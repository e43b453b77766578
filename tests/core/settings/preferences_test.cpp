#include "settings/preferences.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace kestrine {
namespace {

EditedSettings Current() {
    return EditedSettings{u"OLDSRV", StringList{u"Any=*", u"Audio=mp3,wav"}, 250};
}

TEST(PreferencesTest, DialogStartsFromTheSettings) {
    const PreferencesValues values = PreferencesFromSettings(
        EditedSettings{u"filesrv", StringList{u"Any=*", u"Text=txt,log", u"odd", u"a=b=c"}, -3});
    EXPECT_EQ(values.ServerName, u"filesrv");  // the field itself shows it in upper case
    EXPECT_EQ(values.Categories,
              (std::vector<KeyValueRow>{
                  {u"Any", u"*"}, {u"Text", u"txt,log"}, {u"", u""}, {u"a", u"b=c"}}));
    EXPECT_EQ(values.ResultsPerPage, u"-3");
}

TEST(PreferencesTest, ServerNameIsStoredUpperCaseWithoutLeadingBackslashes) {
    struct Case {
        std::u16string typed;
        std::u16string stored;
    };
    const Case cases[] = {
        {u"filesrv", u"FILESRV"},
        {u"\\\\filesrv", u"FILESRV"},
        {u"\\\\\\\\srv", u"\\\\SRV"},  // only one leading pair goes
        {u"\\srv", u"\\SRV"},
        {u"srv\\\\x", u"SRV\\\\X"},
        {u"alpha,beta", u"ALPHA,BETA"},
        {u"\u00e9t\u00e9", u"\u00e9T\u00e9"},  // a-z only; the field upper-cases the rest
        {u"", u""},
    };
    for (const Case& c : cases) {
        PreferencesValues values = PreferencesFromSettings(Current());
        values.ServerName = c.typed;
        EXPECT_EQ(ApplyPreferences(Current(), values).ServerName, c.stored)
            << std::string(c.typed.begin(), c.typed.end());
    }
}

TEST(PreferencesTest, ResultsPerPageIsTakenOnlyWhenItIsAnInteger) {
    struct Case {
        std::u16string typed;
        std::int32_t rowLimit;
    };
    const Case cases[] = {
        {u"500", 500},        {u"0", 0},      {u"-20", -20},
        {u" 75 ", 75},        {u"abc", 250},  {u"", 250},
        {u"12abc", 250},      {u"1.5", 250},  {u"2147483647", 2147483647},
        {u"2147483648", 250}, {u"0x10", 250},
    };
    for (const Case& c : cases) {
        PreferencesValues values = PreferencesFromSettings(Current());
        values.ResultsPerPage = c.typed;
        EXPECT_EQ(ApplyPreferences(Current(), values).RowLimit, c.rowLimit)
            << std::string(c.typed.begin(), c.typed.end());
    }
}

TEST(PreferencesTest, CategoriesAreRebuiltInGridOrder) {
    PreferencesValues values = PreferencesFromSettings(Current());
    values.Categories = {{u"Video", u"avi"}, {u"Any", u"*"}, {u"Empty", u""}};
    EXPECT_EQ(ApplyPreferences(Current(), values).CategoryList,
              (StringList{u"Video=avi", u"Any=*", u"Empty="}));

    values.Categories.clear();
    EXPECT_TRUE(ApplyPreferences(Current(), values).CategoryList.Empty());
}

TEST(PreferencesTest, UntouchedDialogKeepsTheSettings) {
    const EditedSettings current{u"SRV", StringList{u"Any=*", u"Audio=mp3,wav"}, 1000};
    EXPECT_EQ(ApplyPreferences(current, PreferencesFromSettings(current)), current);
}

TEST(PreferencesTest, AcceptedCategoriesReadBackFromTheirStoredText) {
    // Keys and values holding commas, quotes and spaces survive the comma-text store.
    PreferencesValues values = PreferencesFromSettings(Current());
    values.Categories = {{u"HTML Documents", u"htm,html"}, {u"Say \"hi\"", u"a b"}, {u"x", u""}};
    StringList stored;
    stored.SetCommaText(ApplyPreferences(Current(), values).CategoryList.GetCommaText());
    EXPECT_EQ(PreferencesFromSettings(EditedSettings{u"", stored, 0}).Categories,
              values.Categories);
}

TEST(PreferencesTest, CategoryKeysMustBeNamedUniqueAndFreeOfEquals) {
    const std::vector<KeyValueRow> rows = {{u"Any", u"*"}, {u"Audio", u"mp3"}, {u"Video", u"avi"}};
    struct Case {
        std::size_t row;
        std::u16string key;
        bool accepted;
    };
    const Case cases[] = {
        {1, u"Audio", true},                        // unchanged
        {1, u"AUDIO", true},                        // a row may change the case of its own key
        {1, u"Music", true}, {1, u"video", false},  // another row's key, in other letters
        {1, u"ANY", false},  {3, u"Images", true},  // a new row
        {3, u"any", false},  {1, u"", false},
        {1, u"a=b", false},  {1, u" Any", true},  // a different text
    };
    for (const Case& c : cases) {
        EXPECT_EQ(!CategoryKeyRefusal(rows, c.row, c.key).has_value(), c.accepted)
            << c.row << " " << std::string(c.key.begin(), c.key.end());
    }
    EXPECT_EQ(CategoryKeyRefusal(rows, 0, u"VIDEO"),
              std::optional<std::u16string>(u"There is already a category named \"Video\"."));
}

}  // namespace
}  // namespace kestrine
