#include "dialogs/modal_dialog.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/failure.h"
#include "dialogs/key_value_grid.h"
#include "ui/guarded_call.h"

namespace kestrine {
namespace {

constexpr int kThrowButton = 200;
constexpr ControlPlacement kControls[] = {
    {L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, {7, 30, 50, 14}, IDOK, L"OK"},
    {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, {61, 30, 50, 14}, kThrowButton, L"Throw"},
};

// A small dialog whose handlers throw on request and whose reports are recorded, so no
// message box opens.
class ThrowingDialog final : public ModalDialog {
  public:
    bool throwWhileBuilding = false;
    std::function<void(HWND)> onShown;
    std::vector<std::u16string> reports;

    INT_PTR Run() {
        const DialogTemplate frame(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                   u"Throwing dialog", 120, 50, u"Tahoma", 8);
        return RunModal(nullptr, frame);
    }

  private:
    bool OnInitDialog() override {
        CreateControls(kControls,
                       reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
        if (throwWhileBuilding) {
            throw Failure(u"The dialog could not be built.");
        }
        // The script runs inside the dialog's own modal loop.
        PostMessageW(Handle(), WM_COMMAND, MAKEWPARAM(kScriptId, 0), 0);
        return true;
    }
    bool OnCommand(int id, int code, HWND control) override {
        if (id == kScriptId) {
            onShown(Handle());
            return true;
        }
        if (id == kThrowButton) {
            throw 7;
        }
        if (id == IDOK) {
            End(IDOK);
            return true;
        }
        return ModalDialog::OnCommand(id, code, control);
    }
    void ReportFailure(const std::u16string& message) override { reports.push_back(message); }

    static constexpr int kScriptId = 300;
};

TEST(ModalDialogTest, AThrowingHandlerIsReportedOnceAndTheDialogCarriesOn) {
    ThrowingDialog dialog;
    std::vector<std::u16string> reportsAfterClick;
    dialog.onShown = [&](HWND window) {
        SendMessageW(GetDlgItem(window, kThrowButton), BM_CLICK, 0, 0);
        reportsAfterClick = dialog.reports;
        EXPECT_TRUE(IsWindow(window));
        SendMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    };
    EXPECT_EQ(dialog.Run(), IDOK);
    EXPECT_EQ(reportsAfterClick, std::vector<std::u16string>{kUnexpectedErrorText});
    EXPECT_EQ(dialog.reports.size(), 1u);
}

TEST(ModalDialogTest, AFailureWhileBuildingIsReportedAndClosesTheDialog) {
    ThrowingDialog dialog;
    dialog.throwWhileBuilding = true;
    EXPECT_EQ(dialog.Run(), IDABORT);
    EXPECT_EQ(dialog.reports, std::vector<std::u16string>{u"The dialog could not be built."});
}

TEST(ModalDialogTest, PlacesTheTablesControlsInDialogUnitsInTabOrder) {
    ThrowingDialog dialog;
    dialog.onShown = [&](HWND window) {
        for (const ControlPlacement& placement : kControls) {
            RECT expected = placement.box;
            MapDialogRect(window, &expected);
            RECT box{};
            const HWND control = GetDlgItem(window, placement.id);
            GetWindowRect(control, &box);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&box), 2);
            EXPECT_EQ(box.left, expected.left) << placement.id;
            EXPECT_EQ(box.top, expected.top) << placement.id;
            EXPECT_EQ(box.right - box.left, expected.right) << placement.id;
            EXPECT_EQ(box.bottom - box.top, expected.bottom) << placement.id;
            EXPECT_EQ(SendMessageW(control, WM_GETFONT, 0, 0),
                      SendMessageW(window, WM_GETFONT, 0, 0));
        }
        EXPECT_EQ(GetNextDlgTabItem(window, GetDlgItem(window, IDOK), FALSE),
                  GetDlgItem(window, kThrowButton));
        PostMessageW(window, WM_CLOSE, 0, 0);
    };
    EXPECT_EQ(dialog.Run(), IDCANCEL);
    EXPECT_TRUE(dialog.reports.empty());
}

// The grid's subclass procedures: a key check that throws while the editor takes Enter.
TEST(KeyValueGridGuardTest, AThrowingHandlerIsReportedAndTheGridCarriesOn) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES;
    InitCommonControlsEx(&controls);
    const HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
    std::vector<std::u16string> reports;
    {
        KeyValueGrid grid(
            parent, 1, RECT{0, 0, 280, 180}, 100, nullptr,
            [](const std::vector<KeyValueRow>&, std::size_t, std::u16string_view)
                -> std::optional<std::u16string> { throw std::runtime_error("the check broke"); },
            [](HWND, const std::u16string&) {},
            [&](HWND, const std::u16string& text) { reports.push_back(text); });
        grid.SetRows({{u"Any", u"*"}});
        grid.BeginEdit(0, 0);
        ASSERT_NE(grid.Editor(), nullptr);
        SetWindowTextW(grid.Editor(), L"Every");
        SendMessageW(grid.Editor(), WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_EQ(reports, std::vector<std::u16string>{u"the check broke"});
        ASSERT_NE(grid.Editor(), nullptr) << "the edit is still open";
        SendMessageW(grid.Editor(), WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_EQ(grid.Editor(), nullptr);
        EXPECT_EQ(grid.Rows(), (std::vector<KeyValueRow>{{u"Any", u"*"}}));
        EXPECT_EQ(reports.size(), 1u);
    }
    DestroyWindow(parent);
}

}  // namespace
}  // namespace kestrine
