// The resources the client and this test program share: manifest, icon, images, version.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/programs.h"
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

std::vector<BYTE> VersionBlock(const std::wstring& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<BYTE> block(size);
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, block.data())) {
        block.clear();
    }
    return block;
}

std::wstring ThisProgram() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// Every program a release ships carries the one project version. This test program stands
// in for client.exe: it links the client's resources.
TEST(Resources, EveryProgramCarriesTheProjectVersion) {
    struct Program {
        std::wstring path;
        std::u16string originalName;
        std::u16string description;
    };
    const Program programs[] = {
        // A character beyond ASCII arrives as one UTF-16 unit.
        {ThisProgram(), u"client.exe", u"Kestrine Client \u2013 network file search"},
        {testing::BuiltProgram(L"server\\server.exe"), u"server.exe",
         u"Kestrine reference search server"},
        {testing::BuiltProgram(L"tool\\kestrine.exe"), u"kestrine.exe",
         u"Kestrine command-line tool"},
    };
    for (const Program& program : programs) {
        SCOPED_TRACE(program.path);
        const std::vector<BYTE> block = VersionBlock(program.path);
        ASSERT_FALSE(block.empty());
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), KESTRINE_VERSION_MAJOR);
        EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), KESTRINE_VERSION_MINOR);
        EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), KESTRINE_VERSION_PATCH);
        EXPECT_EQ(VersionString(block, L"ProductVersion"), FromWide(KESTRINE_VERSION_TEXT));
        EXPECT_EQ(VersionString(block, L"FileVersion"), FromWide(KESTRINE_VERSION_TEXT));
        EXPECT_EQ(VersionString(block, L"ProductName"), u"Kestrine Client");
        EXPECT_EQ(VersionString(block, L"OriginalFilename"), program.originalName);
        EXPECT_EQ(VersionString(block, L"FileDescription"), program.description);
    }
}

}  // namespace
}  // namespace kestrine
