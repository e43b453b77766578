// Creates the main window's controls in tab order; gui_main_layout.cpp places them.
#include <windows.h>
#include <commctrl.h>

#include <iterator>

#include "common/failure.h"
#include "common/text.h"
#include "ui/accessible_name.h"
#include "ui/control_ids.h"
#include "ui/guarded_call.h"
#include "ui/gui_main.h"
#include "ui/image_lists.h"
#include "ui/list_view.h"
#include "win_text.h"

namespace kestrine {

namespace {

HMENU IdOf(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

HWND CreateChild(const wchar_t* className, const wchar_t* text, DWORD style, HWND parent, int id,
                 DWORD exStyle = 0) {
    return CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                           parent, IdOf(id), GetModuleHandleW(nullptr), nullptr);
}

HWND CreateLabel(HWND parent, int id, const wchar_t* text) {
    return CreateChild(WC_STATICW, text, SS_LEFT | SS_NOPREFIX, parent, id);
}

HWND CreateCombo(HWND parent, int id, bool editable) {
    const DWORD style =
        WS_TABSTOP | WS_VSCROLL | (editable ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST);
    return CreateChild(WC_COMBOBOXW, L"", style, parent, id);
}

void AddComboItems(HWND combo, std::initializer_list<const wchar_t*> items) {
    for (const wchar_t* item : items) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

void AddTab(HWND tabs, int index, const wchar_t* caption, int image) {
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<wchar_t*>(caption);
    item.iImage = image;
    SendMessageW(tabs, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
}

// The query box's Enter key: a combo's edit sends key presses nowhere, so it is subclassed.
LRESULT CALLBACK QueryEditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR reference) {
    auto* window = reinterpret_cast<TKestrineClient*>(reference);
    switch (message) {
        case WM_GETDLGCODE:
            // Keeps Enter from being taken as the dialog's default button.
            if (wParam == VK_RETURN) {
                return DLGC_WANTALLKEYS | DefSubclassProc(edit, message, wParam, lParam);
            }
            break;
        case WM_KEYDOWN:
            GuardedCall(
                [window](const std::u16string& text) { window->ReportUnexpectedError(text); },
                [&] {
                    window->cmbQueryKeyDown(static_cast<WORD>(wParam));
                    return 0;
                },
                0);
            if (wParam == VK_RETURN) {
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == L'\r') {
                return 0;  // no beep
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(edit, &QueryEditProcedure, 1);
            break;
        default:
            break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void TKestrineClient::CreateControls() {
    const HWND window = Handle();
    fonts_ = CreateUiFonts(dpi_);
    smallImageList_ = LoadSmallImageList();
    goGlyph_ = LoadGoGlyphImageList();
    SendMessageW(window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadProgramIcon(GetSystemMetrics(SM_CXICON))));
    SendMessageW(window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadProgramIcon(GetSystemMetrics(SM_CXSMICON))));

    ui_.statusBar.Create(window, kIdStatusBar);
    // Its window text is its first panel, so its name for screen readers is set apart.
    SetAccessibleName(ui_.statusBar.Handle(), u"Status bar");
    ui_.statusBar.SetPanelWidths(kStatusPanelWidths, dpi_);

    ui_.Pages = CreateChild(WC_TABCONTROLW, L"", WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                            window, kIdPages, WS_EX_CONTROLPARENT);
    SendMessageW(ui_.Pages, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(smallImageList_.get()));
    // A tab shows "&&" as one "&".
    AddTab(ui_.Pages, 0, L"Search Files && Folders", kImageGreySquare);
    AddTab(ui_.Pages, 1, L"Network Browser", kImageGreySquare);

    ui_.SearchTab.Create(ui_.Pages, kIdSearchTab, window, false);
    CreateQueryGroup(ui_.SearchTab.Handle());
    ui_.Splitter2.Create(ui_.SearchTab.Handle(), kIdSplitter2, Splitter::Orientation::Horizontal,
                         [this](int origin) { MoveQueryGroupSplitter(origin); });
    ui_.ViewResultPanel.Create(ui_.SearchTab.Handle(), kIdViewResultPanel, window);
    ui_.ViewResults =
        searchPage_.CreateResultList(ui_.ViewResultPanel.Handle(), kIdViewResults, dpi_);
    searchPage_.AttachForm(
        SearchForm{ui_.cmbQuery, ui_.cmbSearchIn, ui_.cmbFileTypes, ui_.cmbSearchOn});

    CreateBrowserPage();
    ShowPage(0);
    ApplyFonts();
    LayoutControls();
}

void TKestrineClient::CreateQueryGroup(HWND page) {
    // The group box comes first so that the controls drawn on it follow it in tab order.
    ui_.GroupBox1 = CreateChild(WC_BUTTONW, L"", BS_GROUPBOX, page, kIdGroupBox1);
    ui_.Label4 = CreateLabel(page, kIdLabel4, L"Find what");
    ui_.cmbQuery = CreateCombo(page, kIdCmbQuery, true);
    ui_.Label1 = CreateLabel(page, kIdLabel1, L"Search in");
    ui_.cmbSearchIn = CreateCombo(page, kIdCmbSearchIn, false);
    AddComboItems(ui_.cmbSearchIn, {L"Files", L"Folders", L"Files & Folders"});
    ui_.Label3 = CreateLabel(page, kIdLabel3, L"type");
    ui_.cmbFileTypes = CreateCombo(page, kIdCmbFileTypes, false);
    ui_.Label2 = CreateLabel(page, kIdLabel2, L"on");
    ui_.cmbSearchOn = CreateCombo(page, kIdCmbSearchOn, false);
    AddComboItems(ui_.cmbSearchOn, {L"All computers", L"Active computers"});
    for (const HWND combo : {ui_.cmbQuery, ui_.cmbFileTypes}) {
        SendMessageW(combo, CB_SETMINVISIBLE, 20, 0);
    }
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (GetComboBoxInfo(ui_.cmbQuery, &info) && info.hwndItem != nullptr) {
        SetWindowSubclass(info.hwndItem, &QueryEditProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    CreateGoButton(page);
}

void TKestrineClient::CreateGoButton(HWND page) {
    ui_.bbGo = CreateChild(WC_BUTTONW, L"&Go", WS_TABSTOP | BS_PUSHBUTTON, page, kActionGo);
    // The glyph stands to the right of the text; the image list's disabled image is grey.
    BUTTON_IMAGELIST glyph{};
    glyph.himl = goGlyph_.get();
    glyph.margin = RECT{4, 0, 4, 0};
    glyph.uAlign = BUTTON_IMAGELIST_ALIGN_RIGHT;
    SendMessageW(ui_.bbGo, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&glyph));
}

void TKestrineClient::CreateBrowserPage() {
    const HWND window = Handle();
    ui_.BrowseTab.Create(ui_.Pages, kIdBrowseTab, window);
    const HWND page = ui_.BrowseTab.Handle();
    ui_.ViewContentPath =
        CreateChild(WC_STATICW, L"", SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE | SS_ENDELLIPSIS, page,
                    kIdViewContentPath);
    browserPage_.AttachPathLine(ui_.ViewContentPath);
    ui_.ViewContentPanel.Create(page, kIdViewContentPanel, window);
    const HWND panel = ui_.ViewContentPanel.Handle();
    ui_.ViewHost = browserPage_.CreateHostList(panel, kIdViewHost, dpi_, smallImageList_.get());
    ui_.Splitter1.Create(panel, kIdSplitter1, Splitter::Orientation::Vertical,
                         [this](int origin) { MoveHostSplitter(origin); });
    ui_.ViewContent = browserPage_.CreateFolderList(panel, kIdViewContent, dpi_);
}

void TKestrineClient::ApplyFonts() {
    const HFONT normal = fonts_.normal.get();
    const HFONT bold = fonts_.bold.get();
    for (const HWND control :
         {ui_.Pages, ui_.GroupBox1, ui_.cmbQuery, ui_.cmbSearchIn, ui_.Label3, ui_.cmbFileTypes,
          ui_.Label2, ui_.cmbSearchOn, ui_.bbGo, ui_.ViewResults, ui_.ViewHost, ui_.ViewContent,
          ui_.statusBar.Handle()}) {
        ApplyFont(control, normal);
    }
    for (const HWND control : {ui_.Label4, ui_.Label1, ui_.ViewContentPath}) {
        ApplyFont(control, bold);
    }
}

}  // namespace kestrine
