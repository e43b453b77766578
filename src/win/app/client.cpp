// Program entry: locale, common controls, the main window and the message loop.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <exception>

#include "registry/registry_settings_store.h"
#include "ui/gui_main.h"
#include "ui/win_desktop_services.h"

namespace {

int RunClient(int showCommand) {
    // Dates, times and the list separator are read from the user's locale where they are used.
    SetThreadLocale(LOCALE_USER_DEFAULT);
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                     ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
    // The shell's verbs and the properties sheet want a single-threaded apartment, and
    // dragging rows out wants OLE on top of it.
    const HRESULT com = OleInitialize(nullptr);

    kestrine::RegistrySettingsStore settings;
    kestrine::RegistrySettingsStore layout(kestrine::kSettingsKeyPath, kestrine::kLayoutSubkey);
    kestrine::WinDesktopServices desktop;
    int exitCode = 1;
    {
        kestrine::TKestrineClient window(settings, desktop);
        window.SetQuitOnDestroy(true);
        window.RememberLayoutIn(layout);
        if (window.Create() != nullptr) {
            window.Show(showCommand);
            MSG message{};
            while (GetMessageW(&message, nullptr, 0, 0) > 0) {
                if (!window.PreTranslateMessage(message)) {
                    TranslateMessage(&message);
                    DispatchMessageW(&message);
                }
            }
            exitCode = static_cast<int>(message.wParam);
        }
    }
    if (SUCCEEDED(com)) {
        OleUninitialize();
    }
    return exitCode;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    try {
        return RunClient(showCommand);
    } catch (const std::exception& error) {
        MessageBoxA(nullptr, error.what(), nullptr, MB_OK | MB_ICONERROR);
    } catch (...) {
        MessageBoxW(nullptr, L"Unexpected error", nullptr, MB_OK | MB_ICONERROR);
    }
    return 1;
}
