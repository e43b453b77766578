// The real desktop's shell calls, on paths that cannot be opened (a test must not start
// programs): the failure comes back with the system's reason.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "ui/win_desktop_services.h"
#include "win_text.h"

namespace kestrine {
namespace {

std::u16string MissingFile() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return FromWide(temp) + u"kestrine_no_such_folder_" +
           FromWide(std::to_wstring(GetCurrentProcessId())) + u"\\missing.txt";
}

TEST(WinDesktopShellTest, OpeningAMissingFileFailsWithTheSystemsReason) {
    WinDesktopServices desktop;
    SetLastError(ERROR_SUCCESS);
    const ShellResult result = desktop.ShellOpen(nullptr, MissingFile());
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.lastError == ERROR_FILE_NOT_FOUND ||
                result.lastError == ERROR_PATH_NOT_FOUND)
        << result.lastError;
}

}  // namespace
}  // namespace kestrine
