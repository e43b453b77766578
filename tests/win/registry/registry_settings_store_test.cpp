#include "common/text.h"
#include "registry/registry_settings_store.h"
#include "settings/default_categories.h"
#include "settings/settings.h"
#include "win_text.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <optional>
#include <vector>

namespace kestrine {
namespace {

// Each test works below its own throwaway key, removed before and after.
class RegistrySettingsStoreTest : public ::testing::Test {
  protected:
    RegistrySettingsStoreTest()
        : keyPath_(u"Software\\Vellmora\\Kestrine Client Test " + ToText(GetCurrentProcessId())) {
        RemoveKey();
    }
    ~RegistrySettingsStoreTest() override { RemoveKey(); }

    void RemoveKey() { RegDeleteTreeW(HKEY_CURRENT_USER, AsWide(keyPath_)); }

    std::u16string SearchPath() const { return keyPath_ + u"\\Search"; }

    // Puts a raw value in place, bypassing the store.
    void PutRaw(const std::u16string& name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, AsWide(SearchPath()), AsWide(name), type, data,
                                  size),
                  ERROR_SUCCESS);
    }

    DWORD RawType(const std::u16string& name) {
        DWORD type = REG_NONE;
        RegGetValueW(HKEY_CURRENT_USER, AsWide(SearchPath()), AsWide(name),
                     RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, nullptr);
        return type;
    }

    std::u16string keyPath_;
};

TEST_F(RegistrySettingsStoreTest, MissingKeyIsCreatedAndReadsAsMissing) {
    RegistrySettingsStore store(keyPath_);
    ASSERT_TRUE(store.IsOpen());
    EXPECT_EQ(store.Read(u"RowLimit"), StoredValue::Missing());
    EXPECT_EQ(store.Read(u"ServerName"), StoredValue::Missing());
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, AsWide(SearchPath()), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST_F(RegistrySettingsStoreTest, IntegersAndTextsRoundTripWithTheirRegistryTypes) {
    {
        RegistrySettingsStore store(keyPath_);
        store.WriteInteger(u"RowLimit", 250);
        store.WriteInteger(u"SearchType", -1);
        store.WriteText(u"ServerName", u"FILESRV");
        store.WriteText(u"History", u"");
        store.WriteText(u"FileTypes", u"\u00c9t\u00e9=\u0416,\"x y\"");
    }
    EXPECT_EQ(RawType(u"RowLimit"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(RawType(u"ServerName"), static_cast<DWORD>(REG_SZ));
    RegistrySettingsStore store(keyPath_);
    EXPECT_EQ(store.Read(u"RowLimit"), StoredValue::Integer(250));
    EXPECT_EQ(store.Read(u"SearchType"), StoredValue::Integer(-1));
    EXPECT_EQ(store.Read(u"ServerName"), StoredValue::Text(u"FILESRV"));
    EXPECT_EQ(store.Read(u"rowlimit"), StoredValue::Integer(250));  // names ignore case
    EXPECT_EQ(store.Read(u"History"), StoredValue::Text(u""));
    EXPECT_EQ(store.Read(u"FileTypes"), StoredValue::Text(u"\u00c9t\u00e9=\u0416,\"x y\""));
}

TEST_F(RegistrySettingsStoreTest, UnusableValuesReadAsMissing) {
    RegistrySettingsStore store(keyPath_);
    const BYTE bytes[] = {1, 2, 3, 4};
    const ULONGLONG quad = 5;
    const WORD shortDword = 7;
    const wchar_t multi[] = L"a\0b\0";
    PutRaw(u"Binary", REG_BINARY, bytes, sizeof bytes);
    PutRaw(u"Quad", REG_QWORD, &quad, sizeof quad);
    PutRaw(u"ShortDword", REG_DWORD, &shortDword, sizeof shortDword);
    PutRaw(u"Multi", REG_MULTI_SZ, multi, sizeof multi);
    const std::vector<wchar_t> huge(RegistrySettingsStore::kMaxTextBytes, L'x');
    PutRaw(u"Huge", REG_SZ, huge.data(), static_cast<DWORD>(huge.size() * sizeof(wchar_t)));
    for (const char16_t* name : {u"Binary", u"Quad", u"ShortDword", u"Multi", u"Huge"}) {
        EXPECT_EQ(store.Read(name), StoredValue::Missing()) << Utf16ToUtf8(name);
    }
}

TEST_F(RegistrySettingsStoreTest, TextWithoutItsNulOrWithAnOddLengthIsReadSafely) {
    RegistrySettingsStore store(keyPath_);
    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    PutRaw(u"Unterminated", REG_SZ, unterminated, sizeof unterminated);
    PutRaw(u"OddLength", REG_SZ, L"abc", 5);
    PutRaw(u"InnerNul", REG_SZ, L"ab\0cd", 12);
    PutRaw(u"Empty", REG_SZ, nullptr, 0);
    EXPECT_EQ(store.Read(u"Unterminated"), StoredValue::Text(u"abc"));
    EXPECT_EQ(store.Read(u"OddLength"), StoredValue::Text(u"ab"));
    EXPECT_EQ(store.Read(u"InnerNul"), StoredValue::Text(u"ab"));
    EXPECT_EQ(store.Read(u"Empty"), StoredValue::Text(u""));
}

TEST_F(RegistrySettingsStoreTest, ExpandableTextReadsAsTextWithItsVariablesFilledIn) {
    ASSERT_TRUE(SetEnvironmentVariableW(L"KESTRINE_TEST_SERVER", L"FILESRV"));
    const struct {
        const char16_t* name;
        const wchar_t* stored;
        StoredValue read;
    } cases[] = {
        {u"Plain", L"FILESRV", StoredValue::Text(u"FILESRV")},
        {u"Variable", L"%KESTRINE_TEST_SERVER%,backup", StoredValue::Text(u"FILESRV,backup")},
        {u"Unset", L"%KESTRINE_TEST_UNSET%", StoredValue::Text(u"%KESTRINE_TEST_UNSET%")},
        {u"Empty", L"", StoredValue::Text(u"")},
    };
    RegistrySettingsStore store(keyPath_);
    for (const auto& c : cases) {
        PutRaw(c.name, REG_EXPAND_SZ, c.stored,
               static_cast<DWORD>((std::wcslen(c.stored) + 1) * sizeof(wchar_t)));
        EXPECT_EQ(store.Read(c.name), c.read) << Utf16ToUtf8(c.name);
    }
    SetEnvironmentVariableW(L"KESTRINE_TEST_SERVER", nullptr);
}

TEST_F(RegistrySettingsStoreTest, ExpandableServerNameNeedsNoFirstRunAndKeepsItsVariables) {
    ASSERT_TRUE(SetEnvironmentVariableW(L"KESTRINE_TEST_SERVER", L"FILESRV"));
    const wchar_t stored[] = L"%KESTRINE_TEST_SERVER%";
    PutRaw(u"ServerName", REG_EXPAND_SZ, stored, sizeof stored);
    RegistrySettingsStore store(keyPath_);
    int prompts = 0;
    const FirstRun firstRun{[] { return std::u16string(u"PC"); },
                            [&](std::u16string_view, std::u16string_view, std::u16string_view) {
                                ++prompts;
                                return std::optional<std::u16string>(u"OTHER");
                            }};

    Settings settings = LoadSettings(store, firstRun);
    EXPECT_EQ(prompts, 0);
    EXPECT_EQ(settings.ServerName, u"FILESRV");
    SaveSettings(store, settings);
    EXPECT_EQ(RawType(u"ServerName"), static_cast<DWORD>(REG_EXPAND_SZ));

    // A server name the user changed is stored as plain text.
    settings.ServerName = u"NEWSRV";
    SaveSettings(store, settings);
    EXPECT_EQ(RawType(u"ServerName"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(store.Read(u"ServerName"), StoredValue::Text(u"NEWSRV"));
    SetEnvironmentVariableW(L"KESTRINE_TEST_SERVER", nullptr);
}

TEST_F(RegistrySettingsStoreTest, KeyThatCannotBeOpenedGivesDefaults) {
    // Registry key names are limited to 255 characters.
    RegistrySettingsStore store(keyPath_ + u"\\" + std::u16string(300, u'k'));
    EXPECT_FALSE(store.IsOpen());
    EXPECT_EQ(store.Read(u"RowLimit"), StoredValue::Missing());
    store.WriteInteger(u"RowLimit", 5);
    store.WriteText(u"ServerName", u"S");
    EXPECT_EQ(store.Read(u"RowLimit"), StoredValue::Missing());
    const Settings settings = LoadSettings(store, {});
    EXPECT_EQ(settings.RowLimit, 1000);
    EXPECT_EQ(settings.CategoryList, DefaultCategories());
}

TEST_F(RegistrySettingsStoreTest, FirstRunThenExitLeavesAllSevenValues) {
    RegistrySettingsStore store(keyPath_);
    int prompts = 0;
    FirstRun firstRun{[] { return std::u16string(u"PC"); },
                      [&](std::u16string_view, std::u16string_view, std::u16string_view) {
                          ++prompts;
                          return std::optional<std::u16string>(u"\\\\FILESRV");
                      }};
    Settings settings = LoadSettings(store, firstRun);
    EXPECT_EQ(prompts, 1);
    SaveSettings(store, settings);

    const std::pair<const char16_t*, DWORD> values[] = {
        {u"RowLimit", REG_DWORD}, {u"FileTypes", REG_SZ},   {u"History", REG_SZ},
        {u"ServerName", REG_SZ},  {u"SearchIn", REG_DWORD}, {u"SearchType", REG_DWORD},
        {u"SearchOn", REG_DWORD},
    };
    for (const auto& [name, type] : values) {
        EXPECT_EQ(RawType(name), type) << Utf16ToUtf8(name);
    }
    EXPECT_EQ(store.Read(u"ServerName"), StoredValue::Text(u"FILESRV"));
    EXPECT_EQ(LoadSettings(RegistrySettingsStore(keyPath_), firstRun), settings);
    EXPECT_EQ(prompts, 1);
}

TEST_F(RegistrySettingsStoreTest, IntegerStoredAsTextIsWrittenBackAsText) {
    RegistrySettingsStore store(keyPath_);
    PutRaw(u"RowLimit", REG_SZ, L"500", 8);
    store.WriteText(u"ServerName", u"S");
    Settings settings = LoadSettings(store, {});
    EXPECT_EQ(settings.RowLimit, 500);
    settings.RowLimit = 750;
    SaveSettings(store, settings);
    EXPECT_EQ(RawType(u"RowLimit"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(store.Read(u"RowLimit"), StoredValue::Text(u"750"));
    EXPECT_EQ(RawType(u"SearchIn"), static_cast<DWORD>(REG_DWORD));
}

}  // namespace
}  // namespace kestrine
