#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gui/main_window_fixture.h"
#include "ui/control_ids.h"

// The main window on its browser page, talking to a server on this computer's pipe, with
// the user's moves on the browser page. Header-only: the test program is built from its
// *_test.cpp files alone.
namespace kestrine::testing {

class BrowserPageFixture : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        store.Seed(u"ServerName", StoredValue::Text(u"."));
    }

    void OpenOnBrowserPage() {
        Open();
        window->SetActivePage(1);
    }

    void SelectHost(int row) {
        ListView_SetItemState(Ui().ViewHost, row, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        Pump();
    }

    // A double-click with the mouse cursor over a row of the folder view (or below them all).
    void DoubleClickContent(int row) {
        RECT rect{};
        const int rows = ListView_GetItemCount(Ui().ViewContent);
        ListView_GetItemRect(Ui().ViewContent, row < rows ? row : rows - 1, &rect, LVIR_BOUNDS);
        POINT point{rect.left + 10, (rect.top + rect.bottom) / 2};
        if (row >= rows) {
            point.y += (rect.bottom - rect.top) * (row - rows + 1);
        }
        ClientToScreen(Ui().ViewContent, &point);
        desktop.cursor = point;
        NMITEMACTIVATE click{};
        click.hdr = NMHDR{Ui().ViewContent, static_cast<UINT_PTR>(kIdViewContent),
                          static_cast<UINT>(NM_DBLCLK)};
        click.iItem = row;
        SendMessageW(Main(), WM_NOTIFY, kIdViewContent, reinterpret_cast<LPARAM>(&click));
        Pump();
    }

    // Selects a row of the folder view and runs Open on it: the path the shell is handed.
    std::u16string OpenRow(int row) {
        ListView_SetItemState(Ui().ViewContent, -1, 0, LVIS_SELECTED);
        ListView_SetItemState(Ui().ViewContent, row, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        const std::size_t before = desktop.opened.size();
        window->Actions().Execute(kActionOpen);
        return desktop.opened.size() > before ? desktop.opened.back() : u"(nothing opened)";
    }

    static std::u16string CellText(HWND list, int row, int column) {
        wchar_t text[260] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = static_cast<int>(std::size(text));
        SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return FromWide(item.pszText);
    }

    // The folder view as the user reads it: "name|size" per row.
    std::vector<std::u16string> ContentRows() const {
        std::vector<std::u16string> rows;
        for (int row = 0; row < ListView_GetItemCount(Ui().ViewContent); ++row) {
            rows.push_back(CellText(Ui().ViewContent, row, 0) + u"|" +
                           CellText(Ui().ViewContent, row, 1));
        }
        return rows;
    }

    std::u16string SizeText(std::int64_t bytes) const {
        std::u16string text;
        window->Formatter().AppendSize(bytes, text);
        return text;
    }
};

}  // namespace kestrine::testing
