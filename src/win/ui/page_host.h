#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "browser/operation_enabling.h"
#include "ui/background_work.h"

namespace kestrine {

// What a page needs of the window that holds it: the owner of its message boxes, the
// status bar, and the window's actions and operations popup.
class PageHost {
  public:
    virtual HWND Owner() const = 0;
    virtual void SetStatusText(int panel, const std::u16string& text) = 0;
    virtual void ExecuteAction(int actionId) = 0;
    // The operations popup for a list of the page, at a screen position (-1 from the keyboard).
    virtual void ShowOperationPopup(HWND list, LPARAM position) = 0;
    // Runs an exchange and its decoding off this thread while the window waits for it with
    // the hourglass, and returns when it has ended; its status texts go to status panel 0.
    virtual void RunExchange(BackgroundWork work) = 0;

  protected:
    ~PageHost() = default;
};

// A page whose list offers the four shell operations on its selected row.
class OperationsPage {
  public:
    virtual OperationsEnabled Enabled() const = 0;
    // The path of the selected row itself.
    virtual std::optional<std::u16string> SelectedItemPath() const = 0;
    // The folder holding the selected row.
    virtual std::optional<std::u16string> SelectedFolderPath() const = 0;
    // The folder Map Network Drive offers.
    virtual std::optional<std::u16string> MapDrivePath() const = 0;
    // The prefix of a failure of Open Containing Folder.
    virtual std::u16string_view OpenFolderFailurePrefix() const = 0;

  protected:
    ~OperationsPage() = default;
};

}  // namespace kestrine
