// The remembered layout in the registry: its own subkey beside Search, integers as REG_DWORD.
#include "common/text.h"
#include "registry/registry_settings_store.h"
#include "settings/window_layout.h"
#include "win_text.h"

#include <gtest/gtest.h>

namespace kestrine {
namespace {

// Each test works below its own throwaway key, removed before and after.
class RegistryLayoutStoreTest : public ::testing::Test {
  protected:
    RegistryLayoutStoreTest()
        : keyPath_(u"Software\\Vellmora\\Kestrine Client Layout Test " +
                   ToText(GetCurrentProcessId())) {
        RemoveKey();
    }
    ~RegistryLayoutStoreTest() override { RemoveKey(); }

    void RemoveKey() { RegDeleteTreeW(HKEY_CURRENT_USER, AsWide(keyPath_)); }

    std::u16string SubkeyPath(std::u16string_view subkey) const {
        return keyPath_ + u"\\" + std::u16string(subkey);
    }

    void PutRaw(const std::u16string& name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, AsWide(SubkeyPath(kLayoutSubkey)),
                                  AsWide(name), type, data, size),
                  ERROR_SUCCESS);
    }

    // The type of a value as stored, REG_NONE when it is not there.
    DWORD RawType(std::u16string_view subkey, const std::u16string& name) {
        DWORD type = REG_NONE;
        if (RegGetValueW(HKEY_CURRENT_USER, AsWide(SubkeyPath(subkey)), AsWide(name),
                         RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, nullptr) != ERROR_SUCCESS) {
            return REG_NONE;
        }
        return type;
    }

    std::u16string keyPath_;
};

TEST_F(RegistryLayoutStoreTest, TheLayoutRoundTripsInItsOwnSubkeyAsDwords) {
    WindowLayout layout;
    layout.WindowLeft = -1200;
    layout.WindowTop = 40;
    layout.ClientWidth = 900;
    layout.ClientHeight = 600;
    layout.Maximized = true;
    layout.ResultColumns = {300, 0, 80, 60, 90};
    layout.HostColumns = {120, 85};
    layout.ContentColumns = {400, 70};
    layout.QueryGroupHeight = 120;
    layout.HostListWidth = 250;
    {
        RegistrySettingsStore search(keyPath_);
        search.WriteInteger(u"RowLimit", 250);
        RegistrySettingsStore store(keyPath_, kLayoutSubkey);
        ASSERT_TRUE(store.IsOpen());
        WriteWindowLayout(store, layout);
    }
    for (const char16_t* name : {u"WindowLeft", u"ClientHeight", u"Maximized",
                                 u"ViewResultsColumn4", u"ViewContentColumn0", u"HostListWidth"}) {
        EXPECT_EQ(RawType(kLayoutSubkey, name), static_cast<DWORD>(REG_DWORD)) << Utf16ToUtf8(name);
        EXPECT_EQ(RawType(kSearchSubkey, name), static_cast<DWORD>(REG_NONE))
            << "Search holds its own values only";
    }
    EXPECT_EQ(RawType(kLayoutSubkey, u"RowLimit"), static_cast<DWORD>(REG_NONE));
    EXPECT_EQ(RegistrySettingsStore(keyPath_).Read(u"RowLimit"), StoredValue::Integer(250));
    EXPECT_EQ(ReadWindowLayout(RegistrySettingsStore(keyPath_, kLayoutSubkey)), layout);
}

TEST_F(RegistryLayoutStoreTest, ValuesOfAnotherTypeAreBrokenAndLeaveTheOthersAlone) {
    RegistrySettingsStore store(keyPath_, kLayoutSubkey);
    const DWORD width = 700;
    const ULONGLONG quad = 1;
    const BYTE bytes[] = {1, 2, 3, 4};
    const WORD shortDword = 90;
    PutRaw(u"ClientWidth", REG_DWORD, &width, sizeof width);
    PutRaw(u"ClientHeight", REG_SZ, L"500", sizeof L"500");
    PutRaw(u"Maximized", REG_QWORD, &quad, sizeof quad);
    PutRaw(u"ViewHostColumn0", REG_BINARY, bytes, sizeof bytes);
    PutRaw(u"ViewHostColumn1", REG_DWORD, &shortDword, sizeof shortDword);
    const DWORD huge = 0x80000000u;  // reads as a negative number
    PutRaw(u"WindowTop", REG_DWORD, &huge, sizeof huge);

    WindowLayout expected;
    expected.ClientWidth = 700;
    EXPECT_EQ(ReadWindowLayout(store), expected);
}

}  // namespace
}  // namespace kestrine
