#include "dialogs/preferences_dialog.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "dialogs/key_value_grid.h"
#include "dialogs/modal_dialog.h"
#include "ui/dpi.h"
#include "ui/fonts.h"
#include "ui/ui_handles.h"
#include "ui/window_geometry.h"
#include "win_text.h"
#include "window_text.h"

namespace kestrine {
namespace {

// The layout at 96 DPI. Positions are those of a 407 x 294 area that a 10 px border
// surrounds, so the client area is 427 x 314 and every control sits 10 px further in.
constexpr int kBorderWidth = 10;
constexpr int kAreaWidth = 407;
constexpr int kAreaHeight = 294;
constexpr int kKeyColumnWidth = 100;
constexpr int kSettingsTop = 216;  // gbSettings; its edits are placed inside it
constexpr int kEditTop = kSettingsTop + 35;
constexpr int kLabelHeight = 13;  // until the label is sized to its text
constexpr int kLabelSpacing = 3;  // between a label and the edit below it
constexpr int kLabelTop = kEditTop - kLabelSpacing - kLabelHeight;

// In creation order, which is also the tab order; the grid comes second, made by KeyValueGrid.
constexpr ControlPlacement kCategoriesGroup = {
    L"BUTTON", BS_GROUPBOX, 0, {0, 0, 313, 209}, kIdGbCategories, L"File Categories"};
constexpr RECT kGridBox = {14, 25, 283, 168};  // inside gbCategories, which is at 0,0
constexpr ControlPlacement kAfterGrid[] = {
    {L"BUTTON", BS_GROUPBOX, 0, {0, kSettingsTop, 313, 72}, kIdGbSettings, L""},
    {L"STATIC",
     SS_LEFT | SS_NOPREFIX,
     0,
     {14, kLabelTop, 185, kLabelHeight},
     kIdServerNameLabel,
     L"Search engine server name"},
    {L"EDIT",
     ES_AUTOHSCROLL | ES_UPPERCASE | WS_TABSTOP | WS_GROUP,
     WS_EX_CLIENTEDGE,
     {14, kEditTop, 185, 21},
     kIdLeServerName,
     L""},
    {L"STATIC",
     SS_LEFT | SS_NOPREFIX,
     0,
     {209, kLabelTop, 88, kLabelHeight},
     kIdMaxResultLabel,
     L"Results per page"},
    {L"EDIT",
     ES_AUTOHSCROLL | WS_TABSTOP,
     WS_EX_CLIENTEDGE,
     {209, kEditTop, 88, 21},
     kIdLeMaxResult,
     L""},
    {L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, {325, 11, 75, 25}, IDOK, L"&OK"},
    {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, {325, 45, 75, 25}, IDCANCEL, L"&Cancel"},
};

// Upper case as the server name field shows it: the user's locale.
std::u16string LocaleUpper(std::u16string text) {
    if (!text.empty() && text.size() <= MAXDWORD) {
        CharUpperBuffW(reinterpret_cast<wchar_t*>(text.data()), static_cast<DWORD>(text.size()));
    }
    return text;
}

// A labelled edit's label sits above its edit, as wide and high as its text, so a wider
// substitute for Tahoma does not cut it short.
void FitLabelAbove(HWND dialog, int labelId, int editId, unsigned dpi) {
    const HWND label = GetDlgItem(dialog, labelId);
    const std::optional<SIZE> extent = MeasureText(label);
    if (!extent) {
        return;
    }
    RECT edit{};
    GetWindowRect(GetDlgItem(dialog, editId), &edit);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&edit), 2);
    const int top = edit.top - ScaleToDpi(kLabelSpacing, dpi) - extent->cy;
    SetWindowPos(label, nullptr, edit.left, top, extent->cx, extent->cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

class PreferencesDialog final : public ModalDialog {
  public:
    PreferencesDialog(PreferencesValues& values, const DialogMessage& showMessage,
                      const DialogMessage& showFailure)
        : values_(values), showMessage_(showMessage), showFailure_(showFailure) {}

    bool Run(HWND owner) {
        // The template only makes the frame; the controls are placed in pixels for the DPI.
        const DialogTemplate frame(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                   u"Preferences", 100, 100, u"Tahoma", 8);
        dpi_ = WindowDpi(owner);
        return RunModal(owner, frame) == IDOK;
    }

  private:
    // Design boxes lie in the area inside the border, in pixels at 96 DPI.
    RECT ToClient(const RECT& box) const override {
        const int left = ScaleToDpi(kBorderWidth + box.left, dpi_);
        const int top = ScaleToDpi(kBorderWidth + box.top, dpi_);
        return RECT{left, top, left + ScaleToDpi(box.right, dpi_),
                    top + ScaleToDpi(box.bottom, dpi_)};
    }

    bool OnInitDialog() override {
        const HWND dialog = Handle();
        font_ = std::move(CreateUiFonts(dpi_).normal);
        CentreWindowOver(
            dialog, Owner(),
            WindowSizeForClient(dialog, ScaleToDpi(kAreaWidth + 2 * kBorderWidth, dpi_),
                                ScaleToDpi(kAreaHeight + 2 * kBorderWidth, dpi_)));
        CreateControl(kCategoriesGroup, font_.get());
        grid_ = std::make_unique<KeyValueGrid>(
            dialog, kIdCategories, ToClient(kGridBox), ScaleToDpi(kKeyColumnWidth, dpi_),
            font_.get(), &CategoryKeyRefusal,
            [this](HWND grid, const std::u16string& text) { Tell(showMessage_, grid, text); },
            [this](HWND, const std::u16string& text) { ReportFailure(text); });
        CreateControls(kAfterGrid, font_.get());
        FitLabelAbove(dialog, kIdServerNameLabel, kIdLeServerName, dpi_);
        FitLabelAbove(dialog, kIdMaxResultLabel, kIdLeMaxResult, dpi_);
        grid_->SetRows(values_.Categories);
        SetDlgItemTextW(dialog, kIdLeServerName, AsWide(LocaleUpper(values_.ServerName)));
        SetDlgItemTextW(dialog, kIdLeMaxResult, AsWide(values_.ResultsPerPage));
        SendMessageW(dialog, DM_SETDEFID, IDOK, 0);
        SetFocus(grid_->Handle());
        return false;
    }

    bool OnCommand(int id, int code, HWND control) override {
        if (id == IDOK && grid_ != nullptr) {
            Accept();
            return true;
        }
        return ModalDialog::OnCommand(id, code, control);
    }

    void ReportFailure(const std::u16string& message) override {
        if (showFailure_) {
            showFailure_(Handle(), message);
        } else {
            ModalDialog::ReportFailure(message);
        }
    }

    // A refused key is a warning over the dialog, through showMessage when there is one.
    static void Tell(const DialogMessage& showMessage, HWND grid, const std::u16string& text) {
        const HWND dialog = GetParent(grid);
        if (showMessage) {
            showMessage(dialog, text);
        } else {
            MessageBoxW(dialog, AsWide(text), nullptr, MB_OK | MB_ICONWARNING);
        }
    }

    // OK: an open grid edit is taken first; a refused key keeps the dialog open on it.
    void Accept() {
        if (!grid_->CommitEdit()) {
            return;
        }
        PreferencesValues accepted;
        accepted.ServerName = LocaleUpper(WindowText(GetDlgItem(Handle(), kIdLeServerName)));
        accepted.Categories = grid_->Rows();
        accepted.ResultsPerPage = WindowText(GetDlgItem(Handle(), kIdLeMaxResult));
        values_ = std::move(accepted);
        End(IDOK);
    }

    PreferencesValues& values_;
    const DialogMessage& showMessage_;
    const DialogMessage& showFailure_;
    unsigned dpi_ = kDesignDpi;
    UniqueFont font_;
    std::unique_ptr<KeyValueGrid> grid_;
};

}  // namespace

bool ShowPreferencesDialog(HWND owner, PreferencesValues& values, const DialogMessage& showMessage,
                           const DialogMessage& showFailure) {
    PreferencesDialog dialog(values, showMessage, showFailure);
    return dialog.Run(owner);
}

}  // namespace kestrine
