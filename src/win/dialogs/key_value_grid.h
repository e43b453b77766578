#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/preferences.h"

namespace kestrine {

// A two-column key/value grid: a report list view without a header, the key column of fixed
// width and the value column filling the rest, with an edit control placed over a cell for
// in-place editing. Keys are checked before they are taken.
//
// Keyboard: F2 or Enter edits the value of the selected row (with no row selected, Enter
// belongs to the dialog); Insert adds a row below the selected one (at the end without a
// selection) and Down on the last row appends one, each opening its key; Delete removes the
// selected row at once (the dialog's Cancel undoes everything). In the editor Enter takes the
// text, Escape drops it, Tab takes it and moves on (key, value, next row's key) and Shift+Tab
// moves back. A new row left without a key goes away again. The mouse: a double-click edits
// the cell under it.
class KeyValueGrid {
  public:
    // Why key may not become the key of rows[row] (row == rows.size() is never asked), or
    // nothing when it may.
    using KeyCheck = std::function<std::optional<std::u16string>(
        const std::vector<KeyValueRow>& rows, std::size_t row, std::u16string_view key)>;
    // Tells the user why an edit was refused.
    using ShowRefusal = std::function<void(HWND grid, const std::u16string& message)>;
    // Tells the user that one of the grid's handlers failed; the grid carries on.
    using ReportFailure = std::function<void(HWND grid, const std::u16string& message)>;

    // Creates the grid as a child of parent at box (pixels), with keyWidth pixels for keys.
    KeyValueGrid(HWND parent, int id, const RECT& box, int keyWidth, HFONT font, KeyCheck checkKey,
                 ShowRefusal showRefusal, ReportFailure reportFailure);
    ~KeyValueGrid();
    KeyValueGrid(const KeyValueGrid&) = delete;
    KeyValueGrid& operator=(const KeyValueGrid&) = delete;

    HWND Handle() const { return list_; }
    // The in-place editor while a cell is being edited, else nullptr.
    HWND Editor() const { return editing_ ? editor_ : nullptr; }

    void SetRows(std::vector<KeyValueRow> rows);
    const std::vector<KeyValueRow>& Rows() const { return rows_; }

    // column 0 is the key, 1 the value. Any open edit is taken first; nothing happens when it
    // is refused.
    void BeginEdit(int row, int column);
    // Takes the open edit, if any: false when the key was refused (the editor stays open,
    // with the focus).
    bool CommitEdit();
    void CancelEdit();
    void InsertRow(int at);
    void DeleteRow(int row);

  private:
    static LRESULT CALLBACK ListProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR self);
    static LRESULT CALLBACK EditorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR self);
    // Runs a message handler through the guarded call; what it leaves unhandled, or a
    // message whose handler failed, goes on to the control's own procedure.
    LRESULT Guarded(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                    LRESULT (KeyValueGrid::*handler)(UINT, WPARAM, LPARAM, bool&));
    LRESULT OnListMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnEditorMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    bool OnListKey(WPARAM key);
    void OnEditorFocusLost();
    void MoveEdit(int step);
    void CloseEditor();
    void RemoveRow(int row);
    void ShowRow(int row);
    void SelectRow(int row);
    int Selected() const;
    RECT CellRect(int row, int column) const;
    void FitColumns();

    HWND list_ = nullptr;
    HWND editor_ = nullptr;
    int keyWidth_;
    KeyCheck checkKey_;
    ShowRefusal showRefusal_;
    ReportFailure reportFailure_;
    std::vector<KeyValueRow> rows_;
    bool editing_ = false;
    int editRow_ = -1;
    int editColumn_ = 0;
    bool editingNewRow_ = false;  // the row was added for this edit and has no key yet
    bool busy_ = false;           // closing the editor or showing a refusal: focus moves are ours
};

}  // namespace kestrine
