#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kestrine {

std::vector<std::u16string> ComboItems(HWND combo);
void SetComboItems(HWND combo, const std::vector<std::u16string>& items);
std::u16string ComboItem(HWND combo, int index);

// The selected index, -1 for none; selecting -1 clears the selection.
int ComboSelection(HWND combo);
void SetComboSelection(HWND combo, int index);

}  // namespace kestrine
