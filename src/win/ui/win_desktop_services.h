#pragma once

#include "ui/desktop_services.h"

namespace kestrine {

// The real desktop: Win32 dialogs, the shell and the cursor.
class WinDesktopServices final : public DesktopServices {
  public:
    void ShowMessage(HWND owner, const std::u16string& text, MessageIcon icon) override;
    std::optional<std::u16string> PromptText(HWND owner, const std::u16string& caption,
                                             const std::u16string& prompt,
                                             const std::u16string& initial) override;
    std::optional<std::u16string> ChooseSaveFile(HWND owner, const std::u16string& filter,
                                                 const std::u16string& defaultExtension,
                                                 bool promptOverwrite) override;
    void BeginWait() override;
    void EndWait() override;
    ShellResult ShellOpen(HWND owner, const std::u16string& path) override;
    void ShowProperties(const std::u16string& path) override;
    void MapNetworkDrive(HWND owner, const std::u16string& remoteName) override;
    POINT CursorPosition() override;
    int TrackPopupMenu(HWND owner, HMENU menu, POINT screenPoint) override;
    bool EditPreferences(HWND owner, PreferencesValues& values) override;
    void DragFileOut(const std::u16string& path) override;

  private:
    int waitDepth_ = 0;
    HCURSOR savedCursor_ = nullptr;
};

}  // namespace kestrine
