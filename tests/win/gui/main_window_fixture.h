#pragma once

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "gui/box_printer.h"
#include "gui/recording_desktop_services.h"
#include "settings/memory_settings_store.h"
#include "ui/control_ids.h"
#include "ui/dock_layout.h"
#include "ui/gui_main.h"
#include "win_text.h"

// The real main window, created in-process with an in-memory settings store and the
// recording desktop. Header-only: the test program is built from its *_test.cpp files alone.
namespace kestrine::testing {

class MainWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                         ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES;
        InitCommonControlsEx(&controls);
        // As the program: a single-threaded apartment with OLE, for drag and drop.
        oleInitialized_ = SUCCEEDED(OleInitialize(nullptr));
    }
    static void TearDownTestSuite() {
        if (oleInitialized_) {
            OleUninitialize();
            oleInitialized_ = false;
        }
    }

    void SetUp() override { store.Seed(u"ServerName", StoredValue::Text(u"SRV")); }
    void TearDown() override { window.reset(); }

    // Creates the window as the program does. Showing it is slow under Wine without a
    // window manager, so only tests that need it on screen ask for it.
    TKestrineClient& Open(bool show = false) {
        window = std::make_unique<TKestrineClient>(store, desktop);
        EXPECT_NE(window->Create(), nullptr);
        if (show) {
            window->Show(SW_SHOW);
        }
        Pump();
        return *window;
    }

    // The server name, categories and page size the window holds, as the preferences dialog
    // shows them (the recorder then answers Cancel).
    PreferencesValues PreferencesShown() {
        SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(kActionPreferences, 0), 0);
        return desktop.preferences.empty() ? PreferencesValues{} : desktop.preferences.back();
    }

    // Whether a control itself is shown (its window may be hidden).
    static bool IsShown(HWND control) {
        return (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
    }

    const TKestrineClient::Controls& Ui() const { return window->Ui(); }
    HWND Main() const { return window->Handle(); }

    // Runs the queued messages of this thread.
    static void Pump() {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    // A control's box in the client coordinates of another window.
    static Box BoxIn(HWND control, HWND reference) {
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&rect), 2);
        return Box{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    }

    static Box ClientBox(HWND window) {
        RECT rect{};
        GetClientRect(window, &rect);
        return Box{0, 0, rect.right, rect.bottom};
    }

    static std::u16string Text(HWND window) {
        wchar_t text[512] = {};
        GetWindowTextW(window, text, static_cast<int>(std::size(text)));
        return FromWide(text);
    }

    static std::u16string ClassOf(HWND window) {
        wchar_t name[128] = {};
        GetClassNameW(window, name, static_cast<int>(std::size(name)));
        return FromWide(name);
    }

    MemorySettingsStore store;
    RecordingDesktopServices desktop;
    std::unique_ptr<TKestrineClient> window;

  private:
    static inline bool oleInitialized_ = false;
};

}  // namespace kestrine::testing
