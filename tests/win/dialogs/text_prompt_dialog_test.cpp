#include "dialogs/text_prompt_dialog.h"
#include "win_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace kestrine {
namespace {

// Runs an action on the prompt once it is up: a timer fires inside the dialog's own modal
// loop on this thread, finds the dialog and hands it over.
std::function<void(HWND)> g_onDialog;
std::u16string g_caption;

BOOL CALLBACK FindPrompt(HWND window, LPARAM found) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    if (IsWindowVisible(window) && FromWide(text) == g_caption) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindPrompt, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr) {
        return;  // not up yet
    }
    KillTimer(nullptr, timer);
    g_onDialog(dialog);
}

std::optional<std::u16string> RunPrompt(const std::u16string& caption, const std::u16string& prompt,
                                        const std::u16string& initialText,
                                        std::function<void(HWND)> onDialog) {
    g_caption = caption;
    g_onDialog = std::move(onDialog);
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &OnTimer);
    auto result = ShowTextPrompt(nullptr, caption, prompt, initialText);
    KillTimer(nullptr, timer);
    return result;
}

std::u16string TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return FromWide(text);
}

HWND Child(HWND dialog, const wchar_t* className, const wchar_t* text = nullptr) {
    return FindWindowExW(dialog, nullptr, className, text);
}

TEST(TextPromptDialogTest, ShowsCaptionPromptAndInitialTextAndReturnsTheEntryOnOk) {
    const std::u16string prompt = u"Please enter the name. \r\nSecond line.";
    std::u16string seenPrompt;
    std::u16string seenInitial;
    const auto result = RunPrompt(u"Initial configuration", prompt, u"PROPOSED", [&](HWND dialog) {
        seenPrompt = TextOf(Child(dialog, L"Static"));
        const HWND edit = Child(dialog, L"Edit");
        seenInitial = TextOf(edit);
        SetWindowTextW(edit, L"\\\\FILESRV");
        SendMessageW(Child(dialog, L"Button", L"OK"), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(seenPrompt, prompt);
    EXPECT_EQ(seenInitial, u"PROPOSED");
    EXPECT_EQ(result, std::optional<std::u16string>(u"\\\\FILESRV"));
}

TEST(TextPromptDialogTest, CancelGivesNothing) {
    const auto result = RunPrompt(u"Prompt cancel", u"Name", u"PROPOSED", [](HWND dialog) {
        SetWindowTextW(Child(dialog, L"Edit"), L"typed");
        SendMessageW(Child(dialog, L"Button", L"Cancel"), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(result, std::nullopt);
}

TEST(TextPromptDialogTest, EnterAcceptsAndEscapeCancels) {
    const auto accepted = RunPrompt(u"Prompt enter", u"Name", u"kept", [](HWND dialog) {
        PostMessageW(Child(dialog, L"Edit"), WM_KEYDOWN, VK_RETURN, 0);
    });
    EXPECT_EQ(accepted, std::optional<std::u16string>(u"kept"));
    const auto cancelled = RunPrompt(u"Prompt escape", u"Name", u"kept", [](HWND dialog) {
        PostMessageW(Child(dialog, L"Edit"), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(cancelled, std::nullopt);
}

TEST(TextPromptDialogTest, OkWithAnEmptyFieldGivesEmptyText) {
    const auto result = RunPrompt(u"Prompt empty", u"Name", u"",
                                  [](HWND dialog) { SendMessageW(dialog, WM_COMMAND, IDOK, 0); });
    EXPECT_EQ(result, std::optional<std::u16string>(u""));
}

// The controls where the dialog manager put them when they were template items: boxes in
// dialog units (prompt lines of 8 units), the dialog's font, OK the default, the focus in the
// edit field, the dialog in the middle of the work area.
TEST(TextPromptDialogTest, LaysOutThePromptTheFieldAndTheButtons) {
    struct Expected {
        const wchar_t* className;
        const wchar_t* text;
        RECT box;  // left, top, width, height in dialog units
    };
    const Expected expected[] = {
        {L"Static", nullptr, {7, 7, 206, 16}},
        {L"Edit", nullptr, {7, 27, 206, 12}},
        {L"Button", L"OK", {109, 46, 50, 14}},
        {L"Button", L"Cancel", {163, 46, 50, 14}},
    };
    RunPrompt(u"Prompt layout", u"Line one\r\nLine two", u"text", [&](HWND dialog) {
        RECT client{};
        GetClientRect(dialog, &client);
        RECT size{0, 0, 220, 67};
        MapDialogRect(dialog, &size);
        EXPECT_EQ(client.right, size.right);
        EXPECT_EQ(client.bottom, size.bottom);
        const auto dialogFont = SendMessageW(dialog, WM_GETFONT, 0, 0);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(dialogFont), sizeof(font), &font);
        EXPECT_EQ(FromWide(font.lfFaceName), u"Tahoma");
        for (const Expected& e : expected) {
            const HWND control = Child(dialog, e.className, e.text);
            ASSERT_NE(control, nullptr) << e.box.top;
            RECT units = e.box;
            MapDialogRect(dialog, &units);
            RECT box{};
            GetWindowRect(control, &box);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
            EXPECT_EQ(box.left, units.left) << e.box.left;
            EXPECT_EQ(box.top, units.top) << e.box.top;
            EXPECT_EQ(box.right - box.left, units.right) << e.box.right;
            EXPECT_EQ(box.bottom - box.top, units.bottom) << e.box.bottom;
            EXPECT_EQ(SendMessageW(control, WM_GETFONT, 0, 0), dialogFont);
        }
        const HWND edit = Child(dialog, L"Edit");
        EXPECT_TRUE(GetWindowLongPtrW(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        EXPECT_EQ(GetFocus(), edit);
        EXPECT_EQ(LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)), IDOK);
        EXPECT_EQ(GetNextDlgTabItem(dialog, edit, FALSE), Child(dialog, L"Button", L"OK"));
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor);
        RECT window{};
        GetWindowRect(dialog, &window);
        EXPECT_NEAR(window.left + window.right, monitor.rcWork.left + monitor.rcWork.right, 1);
        EXPECT_NEAR(window.top + window.bottom, monitor.rcWork.top + monitor.rcWork.bottom, 1);
        SendMessageW(Child(dialog, L"Button", L"Cancel"), BM_CLICK, 0, 0);
    });
}

}  // namespace
}  // namespace kestrine
