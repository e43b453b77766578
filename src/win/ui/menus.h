#pragma once

#include <span>

#include "ui/action_list.h"

namespace kestrine {

// One menu entry: an action id, or 0 for a separator.
inline constexpr int kMenuSeparator = 0;

// Appends the actions as items, each with its caption and, after a tab, its shortcut; an
// action with an image shows it beside its caption.
void AppendActionItems(HMENU menu, const ActionList& actions, std::span<const int> ids);

// A menu bar with one drop-down menu.
UniqueMenu CreateMenuBar(const wchar_t* dropDownCaption, const ActionList& actions,
                         std::span<const int> ids);

// A popup menu whose first item is the default (bold) one.
UniqueMenu CreateActionPopup(const ActionList& actions, std::span<const int> ids);

// Enables or greys each action item of the menu by the action's update hook.
void UpdateMenuItems(HMENU menu, const ActionList& actions);

}  // namespace kestrine
