#pragma once

#include <windows.h>

#include <string_view>

#include "ui/desktop_services.h"

namespace kestrine {

// Puts text on the clipboard as CF_UNICODETEXT in place of what was there; false when the
// clipboard could not be had (another program holds it open) or memory ran out.
bool CopyTextToClipboard(HWND owner, std::u16string_view text);

// The same, telling the user when it did not work.
void CopyToClipboardOrSay(DesktopServices& desktop, HWND owner, std::u16string_view text);

}  // namespace kestrine
