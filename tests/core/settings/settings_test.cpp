#include "settings/category_combo.h"
#include "settings/default_categories.h"
#include "settings/memory_settings_store.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrine {
namespace {

// A first run that records each prompt and answers as told.
struct PromptRecorder {
    std::optional<std::u16string> answer;
    std::u16string computerName = u"WORKSTATION7";
    struct Shown {
        std::u16string caption, prompt, initialText;
    };
    std::vector<Shown> shown;

    FirstRun Services() {
        return {[this] { return computerName; },
                [this](std::u16string_view caption, std::u16string_view prompt,
                       std::u16string_view initialText) {
                    shown.push_back({std::u16string(caption), std::u16string(prompt),
                                     std::u16string(initialText)});
                    return answer;
                }};
    }
};

TEST(DefaultCategoriesTest, NineEntriesWhoseCommaTextQuotesTheSpacedOnes) {
    const StringList categories = DefaultCategories();
    ASSERT_EQ(categories.Count(), 9);
    EXPECT_EQ(categories.NameAt(0), u"Any");
    EXPECT_EQ(categories.NameAt(8), u"Video");
    EXPECT_EQ(categories.Value(u"databases"), u"db,dbf,mdb");
    const StringList twoOfThem{categories.At(0), categories.At(5)};
    EXPECT_EQ(twoOfThem.GetCommaText(), u"Any=*,\"HTML Documents=htm,html,asp,shtml\"");
    StringList readBack;
    readBack.SetCommaText(categories.GetCommaText());
    EXPECT_EQ(readBack, categories);
}

TEST(CategoryComboTest, NamesInOrderWithTheFirstSelected) {
    EXPECT_EQ(FillCategoryCombo(StringList{u"Any=*", u"Text=txt", u"odd"}),
              (ComboContent{{u"Any", u"Text", u""}, 0}));
    EXPECT_EQ(FillCategoryCombo(StringList{}), (ComboContent{{}, -1}));
}

TEST(CategoryComboTest, SelectionOutsideTheItemsIsNone) {
    EXPECT_EQ(SelectionInRange(0, 3), 0);
    EXPECT_EQ(SelectionInRange(2, 3), 2);
    EXPECT_EQ(SelectionInRange(3, 3), -1);
    EXPECT_EQ(SelectionInRange(-1, 3), -1);
    EXPECT_EQ(SelectionInRange(-7, 3), -1);
    EXPECT_EQ(SelectionInRange(0, 0), -1);
}

TEST(LoadSettingsTest, MissingValuesGiveTheDefaults) {
    MemorySettingsStore store;
    store.Seed(kServerNameValue, StoredValue::Text(u"FILESRV"));
    const Settings settings = LoadSettings(store, {});
    EXPECT_EQ(settings.RowLimit, 1000);
    EXPECT_EQ(settings.CategoryList, DefaultCategories());
    EXPECT_TRUE(settings.History.Empty());
    EXPECT_EQ(settings.ServerName, u"FILESRV");
    EXPECT_EQ(settings.SearchIn, 0);
    EXPECT_EQ(settings.SearchType, 0);
    EXPECT_EQ(settings.SearchOn, 0);
}

TEST(LoadSettingsTest, StoredValuesAreRead) {
    MemorySettingsStore store;
    store.Seed(kRowLimitValue, StoredValue::Integer(250));
    store.Seed(kFileTypesValue, StoredValue::Text(u"A=a,B=b,C=c"));
    store.Seed(kHistoryValue, StoredValue::Text(u"\"new one\",old"));
    store.Seed(kServerNameValue, StoredValue::Text(u"\\\\KEPT,OTHER"));
    store.Seed(kSearchInValue, StoredValue::Integer(2));
    store.Seed(kSearchTypeValue, StoredValue::Integer(2));
    store.Seed(kSearchOnValue, StoredValue::Integer(1));
    const Settings settings = LoadSettings(store, {});
    EXPECT_EQ(settings.RowLimit, 250);
    EXPECT_EQ(settings.CategoryList, (StringList{u"A=a", u"B=b", u"C=c"}));
    EXPECT_EQ(settings.History, (StringList{u"new one", u"old"}));
    EXPECT_EQ(settings.ServerName, u"\\\\KEPT,OTHER");  // a stored name is taken as it is
    EXPECT_EQ(settings.SearchIn, 2);
    EXPECT_EQ(settings.SearchType, 2);
    EXPECT_EQ(settings.SearchOn, 1);
}

TEST(LoadSettingsTest, SelectionsOutsideTheirCombosAreNone) {
    MemorySettingsStore store;
    store.Seed(kServerNameValue, StoredValue::Text(u"S"));
    store.Seed(kFileTypesValue, StoredValue::Text(u"A=a,B=b"));
    store.Seed(kSearchInValue, StoredValue::Integer(3));
    store.Seed(kSearchTypeValue, StoredValue::Integer(2));
    store.Seed(kSearchOnValue, StoredValue::Integer(-1));
    const Settings settings = LoadSettings(store, {});
    EXPECT_EQ(settings.SearchIn, -1);
    EXPECT_EQ(settings.SearchType, -1);
    EXPECT_EQ(settings.SearchOn, -1);
}

TEST(LoadSettingsTest, EmptyFileTypesGiveNoCategoriesAndNoSelection) {
    MemorySettingsStore store;
    store.Seed(kServerNameValue, StoredValue::Text(u"S"));
    store.Seed(kFileTypesValue, StoredValue::Text(u""));
    const Settings settings = LoadSettings(store, {});
    EXPECT_TRUE(settings.CategoryList.Empty());
    EXPECT_EQ(settings.SearchType, -1);
    EXPECT_EQ(FillCategoryCombo(settings.CategoryList).Selection, -1);
}

TEST(LoadSettingsTest, IntegersStoredAsTextAreReadFromTheirDigits) {
    struct Case {
        StoredValue stored;
        std::int32_t expected;
    };
    const Case cases[] = {
        {StoredValue::Text(u"500"), 500},          {StoredValue::Text(u"-3"), -3},
        {StoredValue::Text(u"lots"), 1000},        {StoredValue::Text(u""), 1000},
        {StoredValue::Text(u"99999999999"), 1000}, {StoredValue::Integer(0), 0},
    };
    for (const auto& c : cases) {
        MemorySettingsStore store;
        store.Seed(kRowLimitValue, c.stored);
        EXPECT_EQ(ReadIntegerSetting(store, kRowLimitValue, 1000), c.expected);
    }
}

TEST(LoadSettingsTest, NumbersWhereTextBelongsCountAsMissing) {
    MemorySettingsStore store;
    store.Seed(kFileTypesValue, StoredValue::Integer(5));
    store.Seed(kHistoryValue, StoredValue::Integer(5));
    store.Seed(kServerNameValue, StoredValue::Integer(5));
    PromptRecorder firstRun;
    const Settings settings = LoadSettings(store, firstRun.Services());
    EXPECT_EQ(settings.CategoryList, DefaultCategories());
    EXPECT_TRUE(settings.History.Empty());
    EXPECT_EQ(firstRun.shown.size(), 1u);
}

TEST(FirstRunTest, PromptIsShownOnceWithTheComputerNameProposed) {
    MemorySettingsStore store;
    PromptRecorder firstRun;
    firstRun.answer = u"SEARCHBOX";
    const Settings settings = LoadSettings(store, firstRun.Services());
    ASSERT_EQ(firstRun.shown.size(), 1u);
    EXPECT_EQ(firstRun.shown[0].caption, u"Initial configuration");
    EXPECT_EQ(firstRun.shown[0].prompt,
              u"Please enter the search engine server name. \r\n"
              u"If you do not know it, ask your network administrator.");
    EXPECT_EQ(firstRun.shown[0].initialText, u"WORKSTATION7");
    EXPECT_EQ(settings.ServerName, u"SEARCHBOX");
    EXPECT_TRUE(store.Writes().empty());  // stored only at exit

    // After a normal exit the next start finds the name and does not ask again.
    SaveSettings(store, settings);
    PromptRecorder secondRun;
    EXPECT_EQ(LoadSettings(store, secondRun.Services()).ServerName, u"SEARCHBOX");
    EXPECT_TRUE(secondRun.shown.empty());
}

TEST(FirstRunTest, AnswersBecomeTheServerName) {
    struct Case {
        std::optional<std::u16string> answer;
        std::u16string computerName;
        std::u16string expected;
    };
    const Case cases[] = {
        {u"\\\\FILESRV", u"PC", u"FILESRV"},
        {u"\\\\\\\\X", u"PC", u"\\\\X"},  // only one leading pair is dropped
        {u"\\ONE", u"PC", u"\\ONE"},
        {u"", u"PC", u""},                 // OK with an empty field
        {std::nullopt, u"PC", u"PC"},      // Cancel keeps the proposal
        {std::nullopt, u"\\\\PC", u"PC"},  // also a proposal with backslashes
        {std::nullopt, u"", u""},          // no computer name known
    };
    for (const auto& c : cases) {
        MemorySettingsStore store;
        PromptRecorder firstRun;
        firstRun.answer = c.answer;
        firstRun.computerName = c.computerName;
        EXPECT_EQ(LoadSettings(store, firstRun.Services()).ServerName, c.expected);
        EXPECT_EQ(firstRun.shown.size(), 1u);
    }
}

TEST(FirstRunTest, MissingServicesActLikeCancelWithoutAProposal) {
    MemorySettingsStore store;
    EXPECT_EQ(LoadSettings(store, {}).ServerName, u"");
}

TEST(SaveSettingsTest, WritesAllSevenValuesInOrder) {
    MemorySettingsStore store;
    Settings settings;
    settings.RowLimit = 50;
    settings.CategoryList = StringList{u"Any=*", u"HTML Documents=htm,html"};
    settings.History = StringList{u"two words", u"one"};
    settings.ServerName = u"FILESRV";
    settings.SearchIn = 1;
    settings.SearchType = -1;
    settings.SearchOn = 1;
    SaveSettings(store, settings);

    EXPECT_EQ(store.Writes(),
              (std::vector<std::u16string>{u"RowLimit", u"FileTypes", u"History", u"ServerName",
                                           u"SearchIn", u"SearchType", u"SearchOn"}));
    EXPECT_EQ(store.Read(kRowLimitValue), StoredValue::Integer(50));
    EXPECT_EQ(store.Read(kFileTypesValue), StoredValue::Text(u"Any=*,\"HTML Documents=htm,html\""));
    EXPECT_EQ(store.Read(kHistoryValue), StoredValue::Text(u"\"two words\",one"));
    EXPECT_EQ(store.Read(kServerNameValue), StoredValue::Text(u"FILESRV"));
    EXPECT_EQ(store.Read(kSearchInValue), StoredValue::Integer(1));
    EXPECT_EQ(store.Read(kSearchTypeValue), StoredValue::Integer(-1));
    EXPECT_EQ(store.Read(kSearchOnValue), StoredValue::Integer(1));

    // And everything reads back as it was.
    EXPECT_EQ(LoadSettings(store, {}), settings);
}

TEST(SaveSettingsTest, IntegersStoredAsTextStayText) {
    MemorySettingsStore store;
    store.Seed(kServerNameValue, StoredValue::Text(u"S"));
    store.Seed(kRowLimitValue, StoredValue::Text(u"500"));
    store.Seed(kSearchOnValue, StoredValue::Text(u"junk"));
    Settings settings = LoadSettings(store, {});
    EXPECT_EQ(settings.RowLimit, 500);
    settings.RowLimit = 750;
    SaveSettings(store, settings);
    EXPECT_EQ(store.Read(kRowLimitValue), StoredValue::Text(u"750"));
    EXPECT_EQ(store.Read(kSearchOnValue), StoredValue::Text(u"0"));
    EXPECT_EQ(store.Read(kSearchInValue), StoredValue::Integer(0));
}

TEST(SaveSettingsTest, EmptyListsAreWrittenAsEmptyText) {
    MemorySettingsStore store;
    Settings settings;
    SaveSettings(store, settings);
    EXPECT_EQ(store.Read(kFileTypesValue), StoredValue::Text(u""));
    EXPECT_EQ(store.Read(kHistoryValue), StoredValue::Text(u""));
    EXPECT_TRUE(LoadSettings(store, {}).CategoryList.Empty());
}

}  // namespace
}  // namespace kestrine
