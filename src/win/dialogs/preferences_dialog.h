#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "settings/preferences.h"

namespace kestrine {

// Control ids of the preferences dialog (OK and Cancel are IDOK and IDCANCEL).
enum PreferencesControlId : int {
    kIdGbCategories = 100,
    kIdCategories,
    kIdGbSettings,
    kIdServerNameLabel,
    kIdLeServerName,
    kIdMaxResultLabel,
    kIdLeMaxResult,
};

// Shows a message the dialog has for the user, over the dialog.
using DialogMessage = std::function<void(HWND owner, const std::u16string& text)>;

// TPreferencesForm: runs the preferences dialog modally over owner, sized for the owner's DPI
// and centred over it, starting from values. On OK values receives what the dialog holds
// (the server name as the field shows it, in upper case) and the result is true; Cancel,
// Escape, the close box or a dialog that cannot be shown leave values as they were and give
// false. showMessage tells why a category key was refused (a warning), showFailure that a
// handler failed (an error); without them message boxes do.
bool ShowPreferencesDialog(HWND owner, PreferencesValues& values,
                           const DialogMessage& showMessage = {},
                           const DialogMessage& showFailure = {});

}  // namespace kestrine
