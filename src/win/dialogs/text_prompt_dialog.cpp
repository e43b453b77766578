#include "dialogs/text_prompt_dialog.h"

#include <algorithm>

#include "dialogs/dialog_template.h"
#include "win_text.h"
#include "window_text.h"

namespace kestrine {
namespace {

constexpr WORD kPromptId = 100;
constexpr WORD kEditId = 101;

// Dialog units.
constexpr short kWidth = 220;
constexpr short kMargin = 7;
constexpr short kLineHeight = 8;
constexpr short kEditHeight = 12;
constexpr short kButtonWidth = 50;
constexpr short kButtonHeight = 14;
constexpr short kGap = 4;

struct PromptState {
    std::u16string initialText;
    std::optional<std::u16string> result;
};

short PromptLines(std::u16string_view prompt) {
    const auto breaks = std::count(prompt.begin(), prompt.end(), u'\n');
    return static_cast<short>(std::clamp<std::ptrdiff_t>(breaks + 1, 1, 20));
}

INT_PTR CALLBACK PromptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<PromptState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            state = reinterpret_cast<PromptState*>(lParam);
            const HWND edit = GetDlgItem(dialog, kEditId);
            SetWindowTextW(edit, AsWide(state->initialText));
            SendMessageW(edit, EM_SETSEL, 0, -1);
            SetFocus(edit);
            return FALSE;  // the focus is set
        }
        case WM_COMMAND:
            if (state == nullptr) {
                break;
            }
            if (LOWORD(wParam) == IDOK) {
                try {
                    state->result = WindowText(GetDlgItem(dialog, kEditId));
                } catch (...) {
                    state->result.reset();  // out of memory: as if cancelled
                }
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

}  // namespace

std::optional<std::u16string> ShowTextPrompt(HWND owner, std::u16string_view caption,
                                             std::u16string_view prompt,
                                             std::u16string_view initialText) {
    const short promptHeight = static_cast<short>(PromptLines(prompt) * kLineHeight);
    const short editTop = kMargin + promptHeight + kGap;
    const short buttonTop = editTop + kEditHeight + kMargin;
    const short height = buttonTop + kButtonHeight + kMargin;
    const short cancelLeft = kWidth - kMargin - kButtonWidth;
    const short okLeft = cancelLeft - kGap - kButtonWidth;

    // Shown at start-up before the main window, so it asks for the foreground.
    DialogTemplate dialog(
        DS_MODALFRAME | DS_CENTER | DS_SETFOREGROUND | WS_POPUP | WS_CAPTION | WS_SYSMENU, caption,
        kWidth, height, u"Tahoma", 8);
    dialog.AddItem(kStaticClass, SS_LEFT | SS_NOPREFIX, 0, kMargin, kMargin, kWidth - 2 * kMargin,
                   promptHeight, kPromptId, prompt);
    dialog.AddItem(kEditClass, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0, kMargin, editTop,
                   kWidth - 2 * kMargin, kEditHeight, kEditId, u"");
    dialog.AddItem(kButtonClass, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, okLeft, buttonTop, kButtonWidth,
                   kButtonHeight, IDOK, u"OK");
    dialog.AddItem(kButtonClass, BS_PUSHBUTTON | WS_TABSTOP, 0, cancelLeft, buttonTop, kButtonWidth,
                   kButtonHeight, IDCANCEL, u"Cancel");

    PromptState state{std::u16string(initialText), std::nullopt};
    const INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), owner,
                                                   &PromptProc, reinterpret_cast<LPARAM>(&state));
    if (answer != IDOK) {
        return std::nullopt;
    }
    return std::move(state.result);
}

}  // namespace kestrine
