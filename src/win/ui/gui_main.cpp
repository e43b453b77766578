#include "ui/gui_main.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "ui/control_ids.h"
#include "ui/dpi.h"
#include "ui/image_lists.h"
#include "ui/list_view.h"
#include "ui/system_icons.h"
#include "pipe/win32_pipe_connector.h"
#include "ui/reflected_control.h"
#include "win_text.h"

namespace kestrine {

namespace {
constexpr wchar_t kMainWindowClass[] = L"TKestrineClient";
constexpr int kClientWidth = 680;
constexpr int kClientHeight = 457;
}  // namespace

std::u16string MainWindowCaption() {
    return std::u16string(kApplicationTitle) + (sizeof(void*) == 8 ? u" (64-bit)" : u" (32-bit)");
}

TKestrineClient::TKestrineClient(SettingsStore& settingsStore, DesktopServices& desktop)
    : TKestrineClient(settingsStore, desktop, std::make_shared<Win32PipeConnector>()) {}

TKestrineClient::TKestrineClient(SettingsStore& settingsStore, DesktopServices& desktop,
                                 std::shared_ptr<PipeConnector> connector)
    : settingsStore_(settingsStore),
      desktop_(desktop),
      connector_(std::move(connector)),
      iconIndexes_(SystemIconIndex),
      searchPage_(*this, settings_, connector_, desktop_, formatter_, iconIndexes_),
      browserPage_(*this, settings_, connector_, desktop_, formatter_, iconIndexes_) {}

TKestrineClient::~TKestrineClient() {
    if (Handle() != nullptr) {
        DestroyWindow(Handle());
    }
}

HWND TKestrineClient::Create() {
    RegisterClassOnce(kMainWindowClass, LoadProgramIcon(GetSystemMetrics(SM_CXICON)),
                      LoadProgramIcon(GetSystemMetrics(SM_CXSMICON)),
                      GetSysColorBrush(COLOR_BTNFACE));
    CreateActions();
    CreateMenus();
    CreateInstance(WS_EX_CONTROLPARENT, kMainWindowClass, AsWide(std::u16string(kApplicationTitle)),
                   WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                   kClientWidth, kClientHeight, nullptr, mainMenu_.get());
    if (Handle() != nullptr) {
        mainMenu_.release();  // the window destroys its menu bar itself
        SetClientSizeCentred(kClientWidth, kClientHeight);
        RestoreLayout();
    }
    return Handle();
}

void TKestrineClient::Show(int showCommand) {
    ShowWindow(Handle(), RememberedShowCommand(showCommand));
    UpdateWindow(Handle());
}

bool TKestrineClient::PreTranslateMessage(MSG& message) {
    const HWND window = Handle();
    if (window == nullptr || (message.hwnd != window && !IsChild(window, message.hwnd))) {
        return false;
    }
    if (accelerators_ && TranslateAcceleratorW(window, accelerators_.get(), &message)) {
        return true;
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
        // Tab never stops on the tab control, which holds the pages: Ctrl+Tab turns them,
        // as in a property sheet.
        SetActivePage(ActivePage() == 0 ? 1 : 0);
        SetFocus(ActivePage() == 0 ? ui_.ViewResults : ui_.ViewHost);
        return true;
    }
    return IsDialogMessageW(window, &message) != FALSE;
}

void TKestrineClient::ReportUnexpectedError(const std::u16string& message) {
    desktop_.ShowMessage(Handle(), message, MessageIcon::Error);
}

LRESULT TKestrineClient::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = Handle();
    switch (message) {
        case WM_CREATE:
            dpi_ = WindowDpi(window);
            CreateControls();
            FormCreate();
            focusedControl_ = ui_.ViewResults;
            return 0;
        case WM_DESTROY:
            FormDestroy();
            if (quitOnDestroy_) {
                PostQuitMessage(0);
            }
            return 0;
        case WM_SIZE:
            LayoutControls();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus != nullptr && IsChild(window, focus)) {
                    focusedControl_ = focus;
                }
            } else if (focusedControl_ != nullptr && IsWindow(focusedControl_)) {
                SetFocus(focusedControl_);
                return 0;
            }
            break;
        case WM_SETFOCUS:
            if (focusedControl_ != nullptr && IsWindow(focusedControl_)) {
                SetFocus(focusedControl_);
            }
            return 0;
        case WM_COMMAND:
            if (!exchanging_) {  // one operation at a time
                OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            }
            return 0;
        case WM_CLOSE:
            if (exchanging_) {
                closeRequested_ = true;
                return 0;
            }
            break;
        case WM_SETCURSOR:
            if (exchanging_) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_CONTEXTMENU:
            if (ReflectContextMenu(reinterpret_cast<HWND>(wParam), lParam)) {
                return 0;
            }
            break;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void TKestrineClient::OnCommand(int id, int code, HWND control) {
    if (control == nullptr || (id == kActionGo && code == BN_CLICKED)) {
        // Menus (code 0), accelerators (code 1) and the Go button.
        actions_.Execute(id);
    }
}

LRESULT TKestrineClient::OnNotify(const NMHDR& header) {
    // The list views answer for themselves.
    if (LRESULT result = 0; ReflectNotify(header, result)) {
        return result;
    }
    const auto id = static_cast<int>(header.idFrom);
    if (header.code == TCN_SELCHANGE && id == kIdPages) {
        ShowPage(ActivePage());
        PagesChange();
    } else if (header.code == NM_CLICK && id == kIdStatusBar) {
        StatusBarClick();
    }
    return 0;
}

int TKestrineClient::ActivePage() const {
    return static_cast<int>(SendMessageW(ui_.Pages, TCM_GETCURSEL, 0, 0));
}

void TKestrineClient::SetActivePage(int page) {
    if (page == ActivePage()) {
        return;
    }
    // A program-made change sends no TCN_SELCHANGE, so run what a click would.
    SendMessageW(ui_.Pages, TCM_SETCURSEL, page, 0);
    ShowPage(page);
    PagesChange();
}

void TKestrineClient::ShowPage(int page) {
    ShowWindow(ui_.SearchTab.Handle(), page == 0 ? SW_SHOW : SW_HIDE);
    ShowWindow(ui_.BrowseTab.Handle(), page == 1 ? SW_SHOW : SW_HIDE);
}

void TKestrineClient::SetStatusText(int panel, const std::u16string& text) {
    ui_.statusBar.SetText(panel, text);
}

void TKestrineClient::ExecuteAction(int actionId) {
    actions_.Execute(actionId);
}

void TKestrineClient::RunExchange(BackgroundWork work) {
    const auto finished = [this] {
        exchanging_ = false;
        if (closeRequested_) {
            // Asked for while the window waited: closed once the operation has shown its
            // outcome.
            closeRequested_ = false;
            PostMessageW(Handle(), WM_CLOSE, 0, 0);
        }
    };
    exchanging_ = true;
    try {
        RunWithoutFreezing(Handle(), std::move(work),
                           [this](const std::u16string& text) { SetStatusText(0, text); });
    } catch (...) {
        finished();
        throw;
    }
    finished();
}

OperationsPage& TKestrineClient::ActiveOperationsPage() {
    if (ActivePage() == 1) {
        return browserPage_;
    }
    return searchPage_;
}

void TKestrineClient::FormCreate() {
    SetWindowTextW(Handle(), AsWide(MainWindowCaption()));
    for (const HWND list : {ui_.ViewContent, ui_.ViewResults}) {
        SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL,
                     reinterpret_cast<LPARAM>(SystemSmallIconList()));
    }
    LoadSettings();
}

void TKestrineClient::FormDestroy() {
    SaveSettings();
    SaveLayout();
    // The virtual lists must not ask for rows that are gone.
    browserPage_.Clear();
    searchPage_.Clear();
}

void TKestrineClient::PagesChange() {
    if (ActivePage() == 1) {
        browserPage_.LoadHosts();
    }
}

void TKestrineClient::ActionGoExecute() {
    searchPage_.ActionGoExecute();
}

void TKestrineClient::RunSearch(std::int32_t offset, std::int32_t limit) {
    searchPage_.RunSearch(offset, limit);
}

void TKestrineClient::StatusBarClick() {
    const std::vector<int> widths = ui_.statusBar.PanelWidths();
    if (widths.size() < 4) {
        return;
    }
    POINT at = desktop_.CursorPosition();
    ScreenToClient(ui_.statusBar.Handle(), &at);
    searchPage_.StatusBarClick({widths[0], widths[1], widths[2], widths[3]}, at.x);
}

void TKestrineClient::ViewResultsColumnClick(int column) {
    searchPage_.ViewResultsColumnClick(column);
}

void TKestrineClient::ActionSaveExecute() {
    searchPage_.ActionSaveExecute();
}

void TKestrineClient::SaveResultsCsv(const std::u16string& fileName) {
    searchPage_.SaveResultsCsv(fileName);
}

void TKestrineClient::cmbQueryKeyDown(WORD key) {
    if (key == VK_RETURN) {
        actions_.Execute(kActionGo);
    } else if (key == VK_F6) {
        searchPage_.FocusResultList();  // as F6 moves between the panes of Explorer
    }
}

void TKestrineClient::ActionExitExecute() {
    // Closing goes the same way as the close button: WM_CLOSE, then FormDestroy.
    SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

}  // namespace kestrine
