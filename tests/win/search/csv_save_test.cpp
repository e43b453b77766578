// Save Results: the dialog's settings, the file byte for byte, and the failures.
#include <gmock/gmock.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "common/text.h"
#include "e2e/programs.h"
#include "search/search_page_fixture.h"
#include "ui/csv_file.h"

namespace kestrine::testing {
namespace {

using ::testing::ElementsAre;

std::string ReadFileBytes(const std::wstring& path) {
    std::string bytes;
    UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        return "<missing>";
    }
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
        bytes.append(buffer, got);
    }
    return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    UniqueKernelHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

class CsvSaveTest : public SearchPageTest {
  protected:
    std::u16string Path(const std::wstring& name) const {
        return FromWide(tree_.Root() + L"\\" + name);
    }
    std::string Utf8(const std::u16string& text) const { return Utf16ToUtf8(text); }

    void PressCtrlS() {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        MSG press{Ui().ViewResults, WM_KEYDOWN, 'S', 1, 0, {}};
        if (!window->PreTranslateMessage(press)) {
            DispatchMessageW(&press);
        }
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        Pump();
    }

    TempTree tree_;
};

TEST_F(CsvSaveTest, WritesThePageInListOrderByteForByte) {
    Open();
    ShowHits({
        TFileSearchItem{u"\\\\ALPHA", u"share\\docs", u"b \"quoted\".txt", 2048, 45000.25, 32},
        TFileSearchItem{u"BETA", u"pub", u"Über €.doc", 5, 44000.5, 32},
        TFileSearchItem{u"\\\\ALPHA", u"share", u"docs", 0, 43000.0, 16},
    });
    ClickHeader(0);  // by name: "Über" sorts after ASCII, "b" before "d"
    const std::u16string target = Path(L"results.csv");
    // An older, longer file of that name is replaced, not overwritten in part.
    WriteFileBytes(tree_.Root() + L"\\results.csv", std::string(4000, 'x'));
    desktop.saveAnswers.push_back(target);

    window->Actions().Execute(kActionSave);

    ASSERT_EQ(desktop.saveDialogs.size(), 1u);
    EXPECT_EQ(desktop.saveDialogs[0].filter, u"CSV files (*.csv)|*.csv");
    EXPECT_EQ(desktop.saveDialogs[0].defaultExtension, u".csv");
    EXPECT_TRUE(desktop.saveDialogs[0].promptOverwrite);
    EXPECT_THAT(MessageTexts(), ElementsAre());

    const std::string s = Utf8(UserListSeparator());
    ASSERT_EQ(s.size(), 1u);
    const auto size = [this](std::int64_t bytes) {
        std::u16string text;
        window->Formatter().AppendSize(bytes, text);
        return Utf8(text);
    };
    const auto date = [this](Timestamp when) {
        std::u16string text;
        window->Formatter().AppendTimestamp(when, text);
        return Utf8(text);
    };
    const std::string q = "\"";
    const auto line = [&](std::initializer_list<std::string> fields) {
        std::string text;
        for (const std::string& field : fields) {
            text += (text.empty() ? "" : s) + q + field + q;
        }
        return text + "\r\n";
    };
    const std::string expected =
        line({"File Name", "Folder", "Computer", "File Size", "Date Modified"}) +
        line({"b \"\"quoted\"\".txt", "share\\docs", "\\\\ALPHA", size(2048), date(45000.25)}) +
        line({"docs", "share", "\\\\ALPHA", size(0), date(43000.0)}) +
        line({"\xC3\x9C"
              "ber \xE2\x82\xAC.doc",
              "pub", "BETA", size(5), date(44000.5)});
    EXPECT_EQ(ReadFileBytes(tree_.Root() + L"\\results.csv"), expected);
}

TEST_F(CsvSaveTest, CancelWritesNothing) {
    Open();
    ShowHits(NumberedHits(1));
    window->Actions().Execute(kActionSave);
    EXPECT_EQ(desktop.saveDialogs.size(), 1u);
    EXPECT_THAT(MessageTexts(), ElementsAre());
}

TEST_F(CsvSaveTest, AFolderThatDoesNotExistIsReportedWithTheSystemText) {
    Open();
    ShowHits(NumberedHits(2));
    desktop.saveAnswers.push_back(Path(L"no such folder\\results.csv"));
    window->Actions().Execute(kActionSave);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text,
              u"Unable to save: " + SystemMessageText(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Error);
    EXPECT_NE(SystemMessageText(ERROR_PATH_NOT_FOUND), u"");
}

TEST_F(CsvSaveTest, CtrlSOnAnEmptyListHasNothingToSave) {
    Open();
    PressCtrlS();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, u"There is nothing to save");
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Information);
    EXPECT_TRUE(desktop.saveDialogs.empty());
}

}  // namespace
}  // namespace kestrine::testing
