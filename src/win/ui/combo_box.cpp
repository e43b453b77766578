#include "ui/combo_box.h"

#include "win_text.h"
#include "window_text.h"

namespace kestrine {

std::vector<std::u16string> ComboItems(HWND combo) {
    const auto count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    std::vector<std::u16string> items;
    for (int index = 0; index < count; ++index) {
        items.push_back(ComboItem(combo, index));
    }
    return items;
}

void SetComboItems(HWND combo, const std::vector<std::u16string>& items) {
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::u16string& item : items) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(item)));
    }
}

std::u16string ComboItem(HWND combo, int index) {
    const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const auto copied =
        SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
    return FromWide(text);
}

int ComboSelection(HWND combo) {
    const auto selection = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return selection == CB_ERR ? -1 : static_cast<int>(selection);
}

void SetComboSelection(HWND combo, int index) {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

}  // namespace kestrine
