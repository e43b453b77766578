#include "dialogs/preferences_dialog.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "common/failure.h"
#include "dialogs/dialog_template.h"
#include "dialogs/key_value_grid.h"
#include "ui/dpi.h"
#include "ui/fonts.h"
#include "ui/ui_handles.h"
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

struct Placement {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
    RECT box;  // left, top, width, height
};

// In creation order, which is also the tab order; the grid comes second, made by KeyValueGrid.
constexpr Placement kCategoriesGroup = {kIdGbCategories, L"BUTTON", L"File Categories",
                                        BS_GROUPBOX,     0,         {0, 0, 313, 209}};
constexpr RECT kGridBox = {14, 25, 283, 168};  // inside gbCategories, which is at 0,0
constexpr Placement kAfterGrid[] = {
    {kIdGbSettings, L"BUTTON", L"", BS_GROUPBOX, 0, {0, kSettingsTop, 313, 72}},
    {kIdServerNameLabel,
     L"STATIC",
     L"Search engine server name",
     SS_LEFT | SS_NOPREFIX,
     0,
     {14, kLabelTop, 185, kLabelHeight}},
    {kIdLeServerName,
     L"EDIT",
     L"",
     ES_AUTOHSCROLL | ES_UPPERCASE | WS_TABSTOP | WS_GROUP,
     WS_EX_CLIENTEDGE,
     {14, kEditTop, 185, 21}},
    {kIdMaxResultLabel,
     L"STATIC",
     L"Results per page",
     SS_LEFT | SS_NOPREFIX,
     0,
     {209, kLabelTop, 88, kLabelHeight}},
    {kIdLeMaxResult,
     L"EDIT",
     L"",
     ES_AUTOHSCROLL | WS_TABSTOP,
     WS_EX_CLIENTEDGE,
     {209, kEditTop, 88, 21}},
    {IDOK, L"BUTTON", L"&OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, {325, 11, 75, 25}},
    {IDCANCEL, L"BUTTON", L"&Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, {325, 45, 75, 25}},
};

struct DialogState {
    PreferencesValues* values = nullptr;
    const DialogMessage* showMessage = nullptr;
    HWND owner = nullptr;
    unsigned dpi = kDesignDpi;
    UniqueFont font;
    std::unique_ptr<KeyValueGrid> grid;
};

// Upper case as the server name field shows it: the user's locale.
std::u16string LocaleUpper(std::u16string text) {
    if (!text.empty() && text.size() <= MAXDWORD) {
        CharUpperBuffW(reinterpret_cast<wchar_t*>(text.data()), static_cast<DWORD>(text.size()));
    }
    return text;
}

// A design box (left, top, width, height) as a client rectangle at the dialog's DPI.
RECT ToClient(const RECT& box, unsigned dpi) {
    const int left = ScaleToDpi(kBorderWidth + box.left, dpi);
    const int top = ScaleToDpi(kBorderWidth + box.top, dpi);
    return RECT{left, top, left + ScaleToDpi(box.right, dpi), top + ScaleToDpi(box.bottom, dpi)};
}

HWND CreateControl(HWND dialog, const Placement& placement, const DialogState& state) {
    const RECT rect = ToClient(placement.box, state.dpi);
    const HWND control = CreateWindowExW(
        placement.exStyle, placement.className, placement.text,
        WS_CHILD | WS_VISIBLE | placement.style, rect.left, rect.top, rect.right - rect.left,
        rect.bottom - rect.top, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)),
        GetModuleHandleW(nullptr), nullptr);
    if (control == nullptr) {
        throw Failure(u"The preferences dialog could not be created.");
    }
    ApplyFont(control, state.font.get());
    return control;
}

// Client size from the design, then centred over the owner (or the work area without one),
// kept on the owner's monitor.
void PlaceDialog(HWND dialog, const DialogState& state) {
    RECT window{};
    RECT client{};
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    const int width = (window.right - window.left) - client.right +
                      ScaleToDpi(kAreaWidth + 2 * kBorderWidth, state.dpi);
    const int height = (window.bottom - window.top) - client.bottom +
                       ScaleToDpi(kAreaHeight + 2 * kBorderWidth, state.dpi);
    const HWND reference = state.owner != nullptr ? state.owner : dialog;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(reference, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT work = monitor.rcWork;
    RECT over = work;
    if (state.owner != nullptr && !IsIconic(state.owner)) {
        GetWindowRect(state.owner, &over);
    }
    int x = over.left + ((over.right - over.left) - width) / 2;
    int y = over.top + ((over.bottom - over.top) - height) / 2;
    x = std::max<int>(work.left, std::min<int>(x, work.right - width));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
    SetWindowPos(dialog, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// A labelled edit's label sits above its edit, as wide and high as its text, so a wider
// substitute for Tahoma does not cut it short.
void FitLabelAbove(HWND dialog, int labelId, int editId, const DialogState& state) {
    const HWND label = GetDlgItem(dialog, labelId);
    const std::u16string text = WindowText(label);
    SIZE extent{};
    const HDC dc = GetDC(label);
    if (dc == nullptr) {
        return;
    }
    const HGDIOBJ previous = SelectObject(dc, state.font.get());
    const BOOL measured =
        GetTextExtentPoint32W(dc, AsWide(text), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(label, dc);
    if (!measured) {
        return;
    }
    RECT edit{};
    GetWindowRect(GetDlgItem(dialog, editId), &edit);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&edit), 2);
    const int top = edit.top - ScaleToDpi(kLabelSpacing, state.dpi) - extent.cy;
    SetWindowPos(label, nullptr, edit.left, top, extent.cx, extent.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void InitDialog(HWND dialog, DialogState& state) {
    state.font = std::move(CreateUiFonts(state.dpi).normal);
    PlaceDialog(dialog, state);
    CreateControl(dialog, kCategoriesGroup, state);
    const DialogMessage* showMessage = state.showMessage;
    state.grid = std::make_unique<KeyValueGrid>(
        dialog, kIdCategories, ToClient(kGridBox, state.dpi),
        ScaleToDpi(kKeyColumnWidth, state.dpi), state.font.get(), &CategoryKeyRefusal,
        [showMessage](HWND grid, const std::u16string& text) {
            const HWND owner = GetParent(grid);
            if (showMessage != nullptr && *showMessage) {
                (*showMessage)(owner, text);
            } else {
                MessageBoxW(owner, AsWide(text), nullptr, MB_OK | MB_ICONWARNING);
            }
        });
    for (const Placement& placement : kAfterGrid) {
        CreateControl(dialog, placement, state);
    }
    FitLabelAbove(dialog, kIdServerNameLabel, kIdLeServerName, state);
    FitLabelAbove(dialog, kIdMaxResultLabel, kIdLeMaxResult, state);
    state.grid->SetRows(state.values->Categories);
    SetDlgItemTextW(dialog, kIdLeServerName, AsWide(LocaleUpper(state.values->ServerName)));
    SetDlgItemTextW(dialog, kIdLeMaxResult, AsWide(state.values->ResultsPerPage));
    SendMessageW(dialog, DM_SETDEFID, IDOK, 0);
    SetFocus(state.grid->Handle());
}

// OK: an open grid edit is taken first; a refused key keeps the dialog open on it.
void Accept(HWND dialog, DialogState& state) {
    if (!state.grid->CommitEdit()) {
        return;
    }
    PreferencesValues accepted;
    accepted.ServerName = LocaleUpper(WindowText(GetDlgItem(dialog, kIdLeServerName)));
    accepted.Categories = state.grid->Rows();
    accepted.ResultsPerPage = WindowText(GetDlgItem(dialog, kIdLeMaxResult));
    *state.values = std::move(accepted);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK PreferencesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    // Nothing may leave a dialog procedure: a failure here ends the dialog as cancelled.
    try {
        switch (message) {
            case WM_INITDIALOG:
                SetWindowLongPtrW(dialog, DWLP_USER, lParam);
                InitDialog(dialog, *reinterpret_cast<DialogState*>(lParam));
                return FALSE;  // the focus is on the grid
            case WM_COMMAND:
                if (state == nullptr || state->grid == nullptr) {
                    break;
                }
                if (LOWORD(wParam) == IDOK) {
                    Accept(dialog, *state);
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
    } catch (...) {
        EndDialog(dialog, IDABORT);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

bool ShowPreferencesDialog(HWND owner, PreferencesValues& values,
                           const DialogMessage& showMessage) {
    // The template only makes the frame; the controls are placed in pixels for the DPI.
    const DialogTemplate frame(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, u"Preferences",
                               100, 100, u"Tahoma", 8);
    DialogState state;
    state.values = &values;
    state.showMessage = &showMessage;
    state.owner = owner;
    state.dpi = WindowDpi(owner);
    const INT_PTR answer =
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), frame.Get(), owner, &PreferencesProc,
                                reinterpret_cast<LPARAM>(&state));
    return answer == IDOK;
}

}  // namespace kestrine
