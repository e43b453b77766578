#pragma once

#include <windows.h>

namespace kestrine {

// Gives a file list the keys the window would otherwise take from it or never make of them:
// - Enter: the window runs its keys through IsDialogMessage for Tab navigation, and that
//   takes Enter for the dialog's default button unless the focused control asks for it; a
//   list view does not, so its LVN_KEYDOWN would never see Enter.
// - The Menu key (the "application" key beside the right Ctrl) opens the list's context menu
//   as Shift+F10 does: the list gets one WM_CONTEXTMENU from the keyboard (both halves of the
//   position -1) when the key is released, which reaches its parent like any other.
void TakeListKeys(HWND list);

}  // namespace kestrine
