#pragma once

#include <windows.h>

namespace kestrine {

// Lets a control have its Enter key. The window runs its keys through IsDialogMessage for Tab
// navigation, and that takes Enter for the dialog's default button unless the focused
// control asks for it; a list view does not, so its LVN_KEYDOWN would never see Enter.
void WantEnterKey(HWND control);

}  // namespace kestrine
