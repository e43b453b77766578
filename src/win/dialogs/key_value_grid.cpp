#include "dialogs/key_value_grid.h"

#include <commctrl.h>

#include <algorithm>

#include "common/failure.h"
#include "ui/guarded_call.h"
#include "win_text.h"
#include "window_text.h"

namespace kestrine {
namespace {

// Posted to the list when the editor lost the focus, so the edit is settled once the focus
// change is over rather than in the middle of it.
constexpr UINT kEditorFocusLost = WM_APP + 0x4B;
// The editor's id, clear of IDOK and IDCANCEL should a notification travel up.
constexpr int kEditorId = 0x4B47;
constexpr UINT_PTR kSubclassId = 1;

void SetCellText(HWND list, int row, int column, const std::u16string& text) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(AsWide(text));
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void InsertListRow(HWND list, int row, const KeyValueRow& content) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(AsWide(content.Key));
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SetCellText(list, row, 1, content.Value);
}

bool KeyIsDown(int key) {
    return GetKeyState(key) < 0;
}

}  // namespace

KeyValueGrid::KeyValueGrid(HWND parent, int id, const RECT& box, int keyWidth, HFONT font,
                           KeyCheck checkKey, ShowRefusal showRefusal, ReportFailure reportFailure)
    : keyWidth_(keyWidth),
      checkKey_(std::move(checkKey)),
      showRefusal_(std::move(showRefusal)),
      reportFailure_(std::move(reportFailure)) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | LVS_REPORT |
                                LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                            box.left, box.top, box.right - box.left, box.bottom - box.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (list_ == nullptr) {
        throw Failure(u"The key/value grid could not be created.");
    }
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNW info{};
        info.mask = LVCF_WIDTH | LVCF_SUBITEM;
        info.cx = keyWidth_;
        info.iSubItem = column;
        SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&info));
    }
    // One editor, hidden between edits: no window is made or destroyed inside its own keys.
    editor_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, 0, 0, 0, 0,
                              list_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditorId)),
                              instance, nullptr);
    if (editor_ == nullptr) {
        throw Failure(u"The key/value grid could not be created.");
    }
    SendMessageW(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowSubclass(list_, &ListProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(editor_, &EditorProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    FitColumns();
}

KeyValueGrid::~KeyValueGrid() {
    // Normally the windows went with their dialog; a grid outliving nothing leaves no hooks.
    if (editor_ != nullptr) {
        RemoveWindowSubclass(editor_, &EditorProcedure, kSubclassId);
    }
    if (list_ != nullptr) {
        RemoveWindowSubclass(list_, &ListProcedure, kSubclassId);
        DestroyWindow(list_);
    }
}

void KeyValueGrid::SetRows(std::vector<KeyValueRow> rows) {
    CancelEdit();
    rows_ = std::move(rows);
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        InsertListRow(list_, static_cast<int>(i), rows_[i]);
    }
    if (!rows_.empty()) {
        SelectRow(0);
    }
    FitColumns();
}

void KeyValueGrid::BeginEdit(int row, int column) {
    if (!CommitEdit() || row < 0 || row >= static_cast<int>(rows_.size())) {
        return;
    }
    column = column == 0 ? 0 : 1;
    SelectRow(row);
    const RECT cell = CellRect(row, column);
    const KeyValueRow& content = rows_[static_cast<std::size_t>(row)];
    SetWindowTextW(editor_, AsWide(column == 0 ? content.Key : content.Value));
    editing_ = true;
    editingNewRow_ = false;
    editRow_ = row;
    editColumn_ = column;
    SetWindowPos(editor_, HWND_TOP, cell.left, cell.top, cell.right - cell.left,
                 cell.bottom - cell.top, SWP_SHOWWINDOW);
    SendMessageW(editor_, EM_SETSEL, 0, -1);
    SetFocus(editor_);
}

bool KeyValueGrid::CommitEdit() {
    if (!editing_) {
        return true;
    }
    std::u16string text = WindowText(editor_);
    KeyValueRow& row = rows_[static_cast<std::size_t>(editRow_)];
    if (editColumn_ == 0) {
        if (editingNewRow_ && text.empty()) {
            CancelEdit();  // a new row the user gave up on
            return true;
        }
        if (text == row.Key) {
            CloseEditor();  // an untouched key is no edit, even where stored keys clash
            return true;
        }
        const std::optional<std::u16string> refusal =
            checkKey_ ? checkKey_(rows_, static_cast<std::size_t>(editRow_), text) : std::nullopt;
        if (refusal) {
            busy_ = true;
            if (showRefusal_) {
                showRefusal_(list_, *refusal);
            }
            busy_ = false;
            if (editing_) {
                SetFocus(editor_);
                SendMessageW(editor_, EM_SETSEL, 0, -1);
            }
            return false;
        }
        row.Key = std::move(text);
        SetCellText(list_, editRow_, 0, row.Key);
    } else {
        row.Value = std::move(text);
        SetCellText(list_, editRow_, 1, row.Value);
    }
    CloseEditor();
    return true;
}

void KeyValueGrid::CancelEdit() {
    if (!editing_) {
        return;
    }
    const bool removeRow = editingNewRow_;
    const int row = editRow_;
    CloseEditor();
    if (removeRow) {
        RemoveRow(row);
    }
}

void KeyValueGrid::InsertRow(int at) {
    if (!CommitEdit()) {
        return;
    }
    at = std::clamp(at, 0, static_cast<int>(rows_.size()));
    rows_.insert(rows_.begin() + at, KeyValueRow{});
    InsertListRow(list_, at, rows_[static_cast<std::size_t>(at)]);
    FitColumns();
    BeginEdit(at, 0);
    editingNewRow_ = editing_;
}

void KeyValueGrid::DeleteRow(int row) {
    CancelEdit();
    if (row >= 0 && row < static_cast<int>(rows_.size())) {
        RemoveRow(row);
    }
}

void KeyValueGrid::MoveEdit(int step) {
    const int row = editRow_;
    const int column = editColumn_;
    const bool dropsNewRow = editingNewRow_ && WindowText(editor_).empty();
    if (!CommitEdit() || dropsNewRow) {
        return;
    }
    // Cells in reading order: key, value, next row's key.
    const int cell = row * 2 + column + step;
    if (cell >= 0 && cell < static_cast<int>(rows_.size()) * 2) {
        BeginEdit(cell / 2, cell % 2);
    }
}

void KeyValueGrid::CloseEditor() {
    editing_ = false;
    editingNewRow_ = false;
    busy_ = true;
    if (GetFocus() == editor_) {
        SetFocus(list_);
    }
    ShowWindow(editor_, SW_HIDE);
    busy_ = false;
}

void KeyValueGrid::RemoveRow(int row) {
    rows_.erase(rows_.begin() + row);
    SendMessageW(list_, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    if (!rows_.empty()) {
        SelectRow(std::min(row, static_cast<int>(rows_.size()) - 1));
    }
    FitColumns();
}

void KeyValueGrid::SelectRow(int row) {
    LVITEMW clear{};
    clear.stateMask = LVIS_SELECTED;
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&clear));
    LVITEMW select{};
    select.state = LVIS_SELECTED | LVIS_FOCUSED;
    select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&select));
    SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

int KeyValueGrid::Selected() const {
    return static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                         MAKELPARAM(LVNI_SELECTED, 0)));
}

RECT KeyValueGrid::CellRect(int row, int column) const {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageW(list_, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&bounds));
    const int keyWidth = static_cast<int>(SendMessageW(list_, LVM_GETCOLUMNWIDTH, 0, 0));
    const int valueWidth = static_cast<int>(SendMessageW(list_, LVM_GETCOLUMNWIDTH, 1, 0));
    RECT client{};
    GetClientRect(list_, &client);
    RECT cell = bounds;
    cell.left = bounds.left + (column == 0 ? 0 : keyWidth);
    cell.right = std::min<LONG>(cell.left + (column == 0 ? keyWidth : valueWidth), client.right);
    return cell;
}

// The key column keeps its width; the value column takes what is left, so no horizontal
// scroll bar appears, with or without the vertical one.
void KeyValueGrid::FitColumns() {
    RECT client{};
    GetClientRect(list_, &client);
    const int valueWidth = std::max<int>(client.right - keyWidth_, 0);
    if (SendMessageW(list_, LVM_GETCOLUMNWIDTH, 0, 0) != keyWidth_) {
        SendMessageW(list_, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(keyWidth_, 0));
    }
    if (SendMessageW(list_, LVM_GETCOLUMNWIDTH, 1, 0) != valueWidth) {
        SendMessageW(list_, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(valueWidth, 0));
    }
}

bool KeyValueGrid::OnListKey(WPARAM key) {
    const int selected = Selected();
    const int count = static_cast<int>(rows_.size());
    switch (key) {
        case VK_F2:
        case VK_RETURN:
            if (selected >= 0) {
                BeginEdit(selected, 1);
            }
            return true;
        case VK_INSERT:
            InsertRow(selected >= 0 ? selected + 1 : count);
            return true;
        case VK_DELETE:
            if (selected >= 0) {
                DeleteRow(selected);
            }
            return true;
        case VK_DOWN:
            if ((count == 0 || selected == count - 1) && !KeyIsDown(VK_SHIFT) &&
                !KeyIsDown(VK_CONTROL) && !KeyIsDown(VK_MENU)) {
                InsertRow(count);
                return true;
            }
            return false;
        default:
            return false;
    }
}

// The editor lost the focus to another window: an acceptable edit is taken; a refused key
// stays open until the grid is used again or the dialog's OK asks for it, so leaving the
// field never puts a message in the way of the click that left it.
void KeyValueGrid::OnEditorFocusLost() {
    if (!editing_ || busy_ || GetFocus() == editor_) {
        return;
    }
    if (editColumn_ == 0) {
        const std::u16string text = WindowText(editor_);
        if (editingNewRow_ && text.empty()) {
            CancelEdit();
            return;
        }
        if (text != rows_[static_cast<std::size_t>(editRow_)].Key && checkKey_ &&
            checkKey_(rows_, static_cast<std::size_t>(editRow_), text)) {
            return;
        }
    }
    CommitEdit();
}

LRESULT KeyValueGrid::OnListMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    switch (message) {
        case WM_GETDLGCODE: {
            const auto* keyMessage = reinterpret_cast<const MSG*>(lParam);
            if (keyMessage != nullptr && keyMessage->wParam == VK_RETURN &&
                (keyMessage->message == WM_KEYDOWN || keyMessage->message == WM_CHAR) &&
                Selected() >= 0) {
                // Enter edits the selected row instead of pressing the dialog's default button.
                return DefSubclassProc(list_, message, wParam, lParam) | DLGC_WANTMESSAGE;
            }
            break;
        }
        case WM_KEYDOWN:
            if (OnListKey(wParam)) {
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == L'\r') {
                return 0;
            }
            break;
        case WM_SETFOCUS: {
            const LRESULT result = DefSubclassProc(list_, message, wParam, lParam);
            if (editing_ && !busy_) {
                SetFocus(editor_);  // an open edit is where the grid's keys go
            }
            return result;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_VSCROLL:
        case WM_HSCROLL:
        case WM_MOUSEWHEEL:
            // The editor does not move with the rows, so it is settled first.
            if (editing_ && !CommitEdit()) {
                return 0;
            }
            break;
        case WM_LBUTTONDBLCLK: {
            if (editing_ && !CommitEdit()) {
                return 0;
            }
            const LRESULT result = DefSubclassProc(list_, message, wParam, lParam);
            LVHITTESTINFO hit{};
            hit.pt = POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (SendMessageW(list_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) >= 0 &&
                hit.iItem >= 0) {
                BeginEdit(hit.iItem, hit.iSubItem);
            }
            return result;
        }
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(lParam) == editor_) {
                return 0;  // the editor's notifications are not the list's business
            }
            break;
        case WM_SIZE: {
            const LRESULT result = DefSubclassProc(list_, message, wParam, lParam);
            FitColumns();
            return result;
        }
        case kEditorFocusLost:
            OnEditorFocusLost();
            return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(list_, &ListProcedure, kSubclassId);
            list_ = nullptr;
            editor_ = nullptr;
            editing_ = false;
            handled = false;
            return 0;
        default:
            break;
    }
    handled = false;
    return 0;
}

LRESULT KeyValueGrid::OnEditorMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    switch (message) {
        case WM_GETDLGCODE:
            // Enter, Escape and Tab belong to the edit, not to the dialog.
            return DefSubclassProc(editor_, message, wParam, lParam) | DLGC_WANTALLKEYS;
        case WM_KEYDOWN:
            switch (wParam) {
                case VK_RETURN:
                    CommitEdit();
                    return 0;
                case VK_ESCAPE:
                    CancelEdit();
                    return 0;
                case VK_TAB:
                    MoveEdit(KeyIsDown(VK_SHIFT) ? -1 : 1);
                    return 0;
                default:
                    break;
            }
            break;
        case WM_CHAR:
            if (wParam == L'\r' || wParam == L'\t' || wParam == 0x1B) {
                return 0;  // handled as keys; a single-line edit would beep
            }
            break;
        case WM_SETFOCUS:
            if (!editing_) {
                SetFocus(list_);  // a dialog giving the focus back to a closed editor
                return 0;
            }
            break;
        case WM_KILLFOCUS: {
            const LRESULT result = DefSubclassProc(editor_, message, wParam, lParam);
            if (editing_ && !busy_) {
                PostMessageW(list_, kEditorFocusLost, 0, 0);
            }
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(editor_, &EditorProcedure, kSubclassId);
            editor_ = nullptr;
            editing_ = false;
            handled = false;
            return 0;
        default:
            break;
    }
    handled = false;
    return 0;
}

LRESULT KeyValueGrid::Guarded(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT (KeyValueGrid::*handler)(UINT, WPARAM, LPARAM, bool&)) {
    const std::optional<LRESULT> result = GuardedCall(
        [this, window](const std::u16string& text) {
            if (reportFailure_) {
                reportFailure_(window, text);
            } else {
                MessageBoxW(GetParent(list_), AsWide(text), nullptr, MB_OK | MB_ICONERROR);
            }
        },
        [&]() -> std::optional<LRESULT> {
            bool handled = false;
            const LRESULT answer = (this->*handler)(message, wParam, lParam, handled);
            return handled ? std::optional<LRESULT>(answer) : std::nullopt;
        },
        std::optional<LRESULT>());
    return result ? *result : DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK KeyValueGrid::ListProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    return reinterpret_cast<KeyValueGrid*>(self)->Guarded(window, message, wParam, lParam,
                                                          &KeyValueGrid::OnListMessage);
}

LRESULT CALLBACK KeyValueGrid::EditorProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    return reinterpret_cast<KeyValueGrid*>(self)->Guarded(window, message, wParam, lParam,
                                                          &KeyValueGrid::OnEditorMessage);
}

}  // namespace kestrine
