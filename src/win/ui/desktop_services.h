#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "settings/preferences.h"

namespace kestrine {

enum class MessageIcon { Information, Warning, Error };

struct ShellResult {
    bool ok = false;
    unsigned long lastError = 0;  // GetLastError() after a failed call
};

// Everything the window asks of the desktop: dialogs, the cursor and the shell. Tests swap in
// a recorder, so a test can check which message was shown and script the user's answers.
class DesktopServices {
  public:
    virtual ~DesktopServices() = default;

    // A modal message box with the system's default caption.
    virtual void ShowMessage(HWND owner, const std::u16string& text, MessageIcon icon) = 0;

    // The entered text on OK, nothing on Cancel.
    virtual std::optional<std::u16string> PromptText(HWND owner, const std::u16string& caption,
                                                     const std::u16string& prompt,
                                                     const std::u16string& initial) = 0;

    // The chosen path, nothing on Cancel. The filter is "description|pattern" pairs joined
    // by "|"; the default extension is given with its leading dot.
    virtual std::optional<std::u16string> ChooseSaveFile(HWND owner, const std::u16string& filter,
                                                         const std::u16string& defaultExtension,
                                                         bool promptOverwrite) = 0;

    // The hourglass cursor; calls nest, and the cursor returns with the last EndWait.
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;

    // Opens a path with its default verb (ShellExecuteW).
    virtual ShellResult ShellOpen(HWND owner, const std::u16string& path) = 0;

    // The shell's properties sheet of a path (no owner window).
    virtual void ShowProperties(const std::u16string& path) = 0;

    // The map-network-drive dialog for a remote folder.
    virtual void MapNetworkDrive(HWND owner, const std::u16string& remoteName) = 0;

    // The mouse cursor's position in screen coordinates.
    virtual POINT CursorPosition() = 0;

    // Shows a popup menu at a screen point and returns the chosen item id, 0 for none.
    virtual int TrackPopupMenu(HWND owner, HMENU menu, POINT screenPoint) = 0;

    // The modal preferences dialog, starting from values: true with values as the dialog
    // holds them on OK, false with values untouched on Cancel. A desktop without the dialog
    // answers Cancel.
    virtual bool EditPreferences(HWND /*owner*/, PreferencesValues& /*values*/) { return false; }

    // Drags a network path out of the window as a file drop, until the user drops or cancels
    // it. A desktop without drag and drop offers nothing.
    virtual void DragFileOut(const std::u16string& /*path*/) {}
};

// The hourglass for the lifetime of a scope, restored however the scope ends.
class HourglassCursor {
  public:
    explicit HourglassCursor(DesktopServices& desktop) : desktop_(desktop) { desktop_.BeginWait(); }
    ~HourglassCursor() { desktop_.EndWait(); }
    HourglassCursor(const HourglassCursor&) = delete;
    HourglassCursor& operator=(const HourglassCursor&) = delete;

  private:
    DesktopServices& desktop_;
};

}  // namespace kestrine
