#include "dialogs/text_prompt_dialog.h"

#include <algorithm>
#include <array>

#include "dialogs/modal_dialog.h"
#include "ui/window_geometry.h"
#include "win_text.h"
#include "window_text.h"

namespace kestrine {
namespace {

constexpr int kPromptId = 100;
constexpr int kEditId = 101;

// Dialog units.
constexpr short kWidth = 220;
constexpr short kMargin = 7;
constexpr short kLineHeight = 8;
constexpr short kEditHeight = 12;
constexpr short kButtonWidth = 50;
constexpr short kButtonHeight = 14;
constexpr short kGap = 4;

short PromptLines(std::u16string_view prompt) {
    const auto breaks = std::count(prompt.begin(), prompt.end(), u'\n');
    return static_cast<short>(std::clamp<std::ptrdiff_t>(breaks + 1, 1, 20));
}

// The prompt's lines on top, the edit field below them, OK and Cancel at the bottom right.
class TextPromptDialog final : public ModalDialog {
  public:
    TextPromptDialog(std::u16string_view prompt, std::u16string_view initialText)
        : prompt_(prompt), initialText_(initialText) {}

    std::optional<std::u16string> Run(HWND owner, std::u16string_view caption) {
        // Shown at start-up before the main window, so it asks for the foreground.
        const DialogTemplate frame(
            DS_MODALFRAME | DS_SETFOREGROUND | WS_POPUP | WS_CAPTION | WS_SYSMENU, caption, kWidth,
            Height(), u"Tahoma", 8);
        if (RunModal(owner, frame) != IDOK) {
            return std::nullopt;
        }
        return std::move(result_);
    }

  private:
    short PromptHeight() const { return static_cast<short>(PromptLines(prompt_) * kLineHeight); }
    short EditTop() const { return kMargin + PromptHeight() + kGap; }
    short ButtonTop() const { return EditTop() + kEditHeight + kMargin; }
    short Height() const { return ButtonTop() + kButtonHeight + kMargin; }

    bool OnInitDialog() override {
        constexpr short cancelLeft = kWidth - kMargin - kButtonWidth;
        constexpr short okLeft = cancelLeft - kGap - kButtonWidth;
        const std::array<ControlPlacement, 4> controls = {{
            {L"STATIC",
             SS_LEFT | SS_NOPREFIX,
             0,
             {kMargin, kMargin, kWidth - 2 * kMargin, PromptHeight()},
             kPromptId,
             AsWide(prompt_)},
            {L"EDIT",
             ES_AUTOHSCROLL | WS_TABSTOP,
             WS_EX_CLIENTEDGE,
             {kMargin, EditTop(), kWidth - 2 * kMargin, kEditHeight},
             kEditId,
             L""},
            {L"BUTTON",
             BS_DEFPUSHBUTTON | WS_TABSTOP,
             0,
             {okLeft, ButtonTop(), kButtonWidth, kButtonHeight},
             IDOK,
             L"OK"},
            {L"BUTTON",
             BS_PUSHBUTTON | WS_TABSTOP,
             0,
             {cancelLeft, ButtonTop(), kButtonWidth, kButtonHeight},
             IDCANCEL,
             L"Cancel"},
        }};
        const auto font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
        CreateControls(controls, font);
        SendMessageW(Handle(), DM_SETDEFID, IDOK, 0);
        CentreWindowOver(Handle(), Owner());
        const HWND edit = GetDlgItem(Handle(), kEditId);
        SetWindowTextW(edit, AsWide(initialText_));
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SetFocus(edit);
        return false;
    }

    bool OnCommand(int id, int code, HWND control) override {
        if (id == IDOK) {
            result_ = WindowText(GetDlgItem(Handle(), kEditId));
            End(IDOK);
            return true;
        }
        return ModalDialog::OnCommand(id, code, control);
    }

    std::u16string prompt_;
    std::u16string initialText_;
    std::optional<std::u16string> result_;
};

}  // namespace

std::optional<std::u16string> ShowTextPrompt(HWND owner, std::u16string_view caption,
                                             std::u16string_view prompt,
                                             std::u16string_view initialText) {
    TextPromptDialog dialog(prompt, initialText);
    return dialog.Run(owner, caption);
}

}  // namespace kestrine
