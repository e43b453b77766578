#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "ui/gui_main.h"
#include "win_text.h"

// Keys as the program's message loop handles them, and the clipboard they may fill.
// Header-only: the test program is built from its *_test.cpp files alone.
namespace kestrine::testing {

// Sends one key press to target through the window's PreTranslateMessage, as the message
// loop would, with the modifier keys held. F10 is a system key: it arrives as WM_SYSKEYDOWN,
// and only that is sent, since its release would open the menu bar's modal loop.
inline void PressKeyWith(TKestrineClient& window, HWND target, WORD key,
                         std::initializer_list<int> modifiers = {}) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    for (const int modifier : {VK_CONTROL, VK_SHIFT, VK_MENU}) {
        keys[modifier] = 0;
    }
    for (const int modifier : modifiers) {
        keys[modifier] = 0x80;
    }
    SetKeyboardState(keys);
    const bool system = key == VK_F10;
    const std::vector<UINT> messages =
        system ? std::vector<UINT>{WM_SYSKEYDOWN} : std::vector<UINT>{WM_KEYDOWN, WM_KEYUP};
    for (const UINT message : messages) {
        const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        const auto flags = static_cast<LPARAM>(down ? 1u : 0xC0000001u);
        MSG msg{target, message, key, flags, 0, {}};
        if (!window.PreTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    for (const int modifier : modifiers) {
        keys[modifier] = 0;
    }
    SetKeyboardState(keys);
    MSG queued{};
    while (PeekMessageW(&queued, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&queued);
        DispatchMessageW(&queued);
    }
}

// The clipboard's text, or "(none)".
inline std::u16string ClipboardText() {
    std::u16string text = u"(none)";
    if (!OpenClipboard(nullptr)) {
        return u"(clipboard busy)";
    }
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = FromWide(chars);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// Puts a marker on the clipboard, to tell "nothing copied" from an old copy.
inline void MarkClipboard() {
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        const wchar_t marker[] = L"marker";
        if (const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(marker))) {
            if (void* target = GlobalLock(block)) {
                memcpy(target, marker, sizeof(marker));
                GlobalUnlock(block);
                if (SetClipboardData(CF_UNICODETEXT, block) == nullptr) {
                    GlobalFree(block);
                }
            } else {
                GlobalFree(block);
            }
        }
        CloseClipboard();
    }
}

}  // namespace kestrine::testing
