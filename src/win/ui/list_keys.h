#pragma once

#include <windows.h>

namespace kestrine {

// What a key pressed in one of the file lists asks for; each list does what applies to it.
enum class ListKeyCommand {
    None,
    CopyPath,   // Ctrl+C: the selected row's item path
    CopyCells,  // Ctrl+Shift+C: the selected row's cells, tab-separated
    Activate,   // Enter: what a double click does
    NextPane,   // F6: the other pane of the page
    Back,       // Backspace: up one folder
};

// The command of a key as a list view reports it in LVN_KEYDOWN, with the modifier keys as
// they were when it was pressed.
ListKeyCommand ListKeyCommandOf(WORD key);

}  // namespace kestrine
