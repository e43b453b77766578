#include "ui/menus.h"

#include "win_text.h"

namespace kestrine {

void AppendActionItems(HMENU menu, const ActionList& actions, std::span<const int> ids) {
    for (const int id : ids) {
        const Action* action = id == kMenuSeparator ? nullptr : actions.Find(id);
        if (action == nullptr) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::u16string text = action->caption;
        if (action->shortcut.IsSet()) {
            text += u'\t';
            text += ShortcutText(action->shortcut);
        }
        if (!AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), AsWide(text))) {
            continue;
        }
        if (const HBITMAP image = actions.MenuBitmap(*action); image != nullptr) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_BITMAP;
            info.hbmpItem = image;
            SetMenuItemInfoW(menu, static_cast<UINT>(GetMenuItemCount(menu) - 1), TRUE, &info);
        }
    }
}

UniqueMenu CreateMenuBar(const wchar_t* dropDownCaption, const ActionList& actions,
                         std::span<const int> ids) {
    UniqueMenu bar(CreateMenu());
    UniqueMenu dropDown(CreatePopupMenu());
    AppendActionItems(dropDown.get(), actions, ids);
    if (AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(dropDown.get()),
                    dropDownCaption)) {
        dropDown.release();  // now owned by the bar
    }
    return bar;
}

UniqueMenu CreateActionPopup(const ActionList& actions, std::span<const int> ids) {
    UniqueMenu popup(CreatePopupMenu());
    AppendActionItems(popup.get(), actions, ids);
    if (!ids.empty()) {
        SetMenuDefaultItem(popup.get(), static_cast<UINT>(ids.front()), FALSE);
    }
    return popup;
}

void UpdateMenuItems(HMENU menu, const ActionList& actions) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const UINT id = GetMenuItemID(menu, position);
        if (id != static_cast<UINT>(-1) && actions.Find(static_cast<int>(id)) != nullptr) {
            const bool enabled = actions.IsEnabled(static_cast<int>(id));
            EnableMenuItem(menu, static_cast<UINT>(position),
                           MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
        }
    }
}

}  // namespace kestrine
