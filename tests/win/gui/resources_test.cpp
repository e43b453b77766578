// The resources the client and this test program share: manifest, icon, images, version.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kestrine_version.h"
#include "ui/resource_ids.h"
#include "win_text.h"

namespace kestrine {
namespace {

std::u16string VersionString(const std::vector<BYTE>& block, const wchar_t* name) {
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) {
        return {};
    }
    return FromWide(static_cast<const wchar_t*>(value));
}

TEST(Resources, CarryTheManifestIconAndImages) {
    const HMODULE self = GetModuleHandleW(nullptr);
    const HRSRC manifest = FindResourceW(self, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    ASSERT_NE(manifest, nullptr);
    const auto* text = static_cast<const char*>(LockResource(LoadResource(self, manifest)));
    const std::string xml(text, SizeofResource(self, manifest));
    EXPECT_NE(xml.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(xml.find("PerMonitorV2"), std::string::npos);

    EXPECT_NE(FindResourceW(self, MAKEINTRESOURCEW(KESTRINE_IDI_PROGRAM), RT_GROUP_ICON), nullptr);
    for (const int bitmap : {KESTRINE_IDB_SMALL_IMAGES, KESTRINE_IDB_GO_GLYPH}) {
        EXPECT_NE(FindResourceW(self, MAKEINTRESOURCEW(bitmap), RT_BITMAP), nullptr) << bitmap;
    }
}

TEST(Resources, VersionComesFromTheProjectVersion) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), KESTRINE_VERSION_MAJOR);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), KESTRINE_VERSION_MINOR);
    EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), KESTRINE_VERSION_PATCH);
    EXPECT_EQ(VersionString(block, L"ProductVersion"), FromWide(KESTRINE_VERSION_TEXT));
    EXPECT_EQ(VersionString(block, L"ProductName"), u"Kestrine Client");
    // A character beyond ASCII arrives as one UTF-16 unit.
    EXPECT_EQ(VersionString(block, L"FileDescription"),
              u"Kestrine Client \u2013 network file search");
}

}  // namespace
}  // namespace kestrine
