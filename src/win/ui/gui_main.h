#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "browser_page/browser_page.h"
#include "exchange/pipe_connector.h"
#include "search/icon_index_cache.h"
#include "search_page/search_page.h"
#include "settings/settings.h"
#include "ui/action_list.h"
#include "ui/desktop_services.h"
#include "ui/fonts.h"
#include "ui/page_host.h"
#include "ui/panel.h"
#include "ui/splitter.h"
#include "ui/status_bar.h"
#include "ui/ui_handles.h"
#include "ui/win_value_formatter.h"
#include "ui/window.h"

namespace kestrine {

class SettingsStore;

// The application title, and the window caption before the build's suffix.
inline constexpr char16_t kApplicationTitle[] = u"Kestrine Client";

// The caption of this build: "Kestrine Client (64-bit)" or "Kestrine Client (32-bit)".
std::u16string MainWindowCaption();

// The main window. Its methods keep the names of the handlers they are (FormCreate,
// PagesChange, cmbQueryKeyDown, ...); the settings store and the desktop come from outside so
// tests can put fakes in their place.
class TKestrineClient : public Window, private PageHost {
  public:
    // The window talks to the search server through the Win32 named pipe.
    TKestrineClient(SettingsStore& settingsStore, DesktopServices& desktop);
    // Tests may put a scripted connector in its place. The exchanges run on a worker
    // thread, which shares the connector.
    TKestrineClient(SettingsStore& settingsStore, DesktopServices& desktop,
                    std::shared_ptr<PipeConnector> connector);
    ~TKestrineClient() override;

    // Creates the window (running FormCreate), centred on the screen, not yet shown.
    HWND Create();
    void Show(int showCommand);

    // Accelerators and keyboard navigation; true when the message was handled.
    bool PreTranslateMessage(MSG& message);

    // Ends the message loop when the window is destroyed (the program's window does; a
    // window under test does not).
    void SetQuitOnDestroy(bool quit) { quitOnDestroy_ = quit; }
    // Where the window remembers its position, size, column widths and splitters between runs
    // (the program's is the registry's Layout subkey); without one it opens with its described
    // layout every time. Set before Create.
    void RememberLayoutIn(SettingsStore& layoutStore) { layoutStore_ = &layoutStore; }

    ActionList& Actions() { return actions_; }
    HMENU OperationPopupMenu() const { return operationPopupMenu_.get(); }
    HIMAGELIST SmallImageList() const { return smallImageList_.get(); }

    // The controls of the layout.
    struct Controls {
        HWND Pages = nullptr;
        Panel SearchTab;
        HWND GroupBox1 = nullptr;
        HWND Label4 = nullptr;
        HWND cmbQuery = nullptr;
        HWND Label1 = nullptr;
        HWND cmbSearchIn = nullptr;
        HWND Label3 = nullptr;
        HWND cmbFileTypes = nullptr;
        HWND Label2 = nullptr;
        HWND cmbSearchOn = nullptr;
        HWND bbGo = nullptr;
        Splitter Splitter2;
        Panel ViewResultPanel;
        HWND ViewResults = nullptr;
        Panel BrowseTab;
        HWND ViewContentPath = nullptr;
        Panel ViewContentPanel;
        HWND ViewHost = nullptr;
        Splitter Splitter1;
        HWND ViewContent = nullptr;
        StatusBar statusBar;
    };
    const Controls& Ui() const { return ui_; }

    // Handlers: the window's own, and thin delegations to the page that owns the state.
    void FormCreate();
    void FormDestroy();
    void PagesChange();
    void cmbQueryKeyDown(WORD key);
    void StatusBarClick();
    void ViewResultsColumnClick(int column);
    bool ContentViewActionUpdate(int actionId);
    void ActionOpenExecute();
    void ActionOpenFolderExecute();
    void ActionMapDriveExecute();
    void ActionPropertiesExecute();
    void ActionCopyPathExecute();
    void ActionPreferencesExecute();
    void ActionGoExecute();
    void ActionSaveExecute();
    void ActionExitExecute();

    // One page of results at offset; the current page to a CSV file.
    void RunSearch(std::int32_t offset, std::int32_t limit);
    void SaveResultsCsv(const std::u16string& fileName);

    // The page on display: 0 search, 1 network browser.
    int ActivePage() const;
    void SetActivePage(int page);

    // Size and date texts in the user's formats, shared by both file lists and the CSV file.
    const ValueFormatter& Formatter() const { return formatter_; }
    // The system small-icon index the lists show for a name and its attributes.
    int IconIndex(std::u16string_view name, std::uint32_t attributes) {
        return iconIndexes_.IndexFor(name, attributes);
    }

    // Shows a failure that a handler let escape.
    void ReportUnexpectedError(const std::u16string& message) override;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // PageHost
    HWND Owner() const override { return Handle(); }
    void SetStatusText(int panel, const std::u16string& text) override;
    void ExecuteAction(int actionId) override;
    void ShowOperationPopup(HWND list, LPARAM position) override;
    void RunExchange(BackgroundWork work) override;

    // gui_main_controls.cpp
    void CreateControls();
    void CreateQueryGroup(HWND page);
    void CreateGoButton(HWND page);
    void CreateBrowserPage();
    void ApplyFonts();
    // gui_main_actions.cpp
    void CreateActions();
    void CreateMenus();
    // gui_main_layout.cpp
    void LayoutControls();
    void LayoutSearchPage();
    void LayoutBrowserPage();
    void MoveQueryGroupSplitter(int origin);
    void MoveHostSplitter(int origin);
    void SetClientSizeCentred(int width, int height);
    void OnDpiChanged(unsigned dpi, const RECT& suggested);
    int Scale(int value) const;
    int QueryGroupLimit() const;  // the largest splitter positions the pages have room for,
    int HostListLimit() const;    // at 96 DPI
    // gui_main_remembered_layout.cpp: restored in Create, saved in FormDestroy.
    void RestoreLayout();
    void SaveLayout();
    int RememberedShowCommand(int showCommand) const;
    // gui_main_settings.cpp: loaded in FormCreate, saved in FormDestroy.
    void LoadSettings();
    void SaveSettings();
    // gui_main.cpp
    LRESULT OnNotify(const NMHDR& header);
    void OnCommand(int id, int code, HWND control);
    void ShowPage(int page);
    OperationsPage& ActiveOperationsPage();
    // gui_main_operations.cpp: hands a path to the shell, or shows why it could not.
    void OpenWithShell(const std::u16string& path, std::u16string_view failurePrefix);

    SettingsStore& settingsStore_;
    DesktopServices& desktop_;
    std::shared_ptr<PipeConnector> connector_;  // the Win32 pipe unless a test gives one
    Settings settings_;
    WinValueFormatter formatter_;
    IconIndexCache iconIndexes_;
    SearchPage searchPage_;
    BrowserPage browserPage_;
    Controls ui_;
    ActionList actions_;
    UniqueMenu mainMenu_;
    UniqueMenu operationPopupMenu_;
    UniqueAccelerators accelerators_;
    UniqueImageList smallImageList_;
    UniqueImageList goGlyph_;
    UiFonts fonts_;
    unsigned dpi_ = 96;
    int queryGroupHeight_ = 84;  // at 96 DPI; Splitter2 changes it
    int hostListWidth_ = 215;    // at 96 DPI; Splitter1 changes it
    SettingsStore* layoutStore_ = nullptr;
    bool showMaximized_ = false;  // the remembered window was maximized
    HWND focusedControl_ = nullptr;
    bool quitOnDestroy_ = false;
    bool exchanging_ = false;      // an exchange runs off this thread; the window waits
    bool closeRequested_ = false;  // closing was asked for while it ran
};

}  // namespace kestrine
