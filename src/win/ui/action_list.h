#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/menu_images.h"
#include "ui/ui_handles.h"

namespace kestrine {

struct Shortcut {
    WORD key = 0;  // virtual-key code; 0 for none
    bool ctrl = false;

    bool IsSet() const { return key != 0; }
};

// A user command shared by menus, buttons and keys. Its id is also its WM_COMMAND id.
struct Action {
    int id = 0;
    std::u16string name;  // e.g. u"ActionSave"
    std::u16string caption;
    std::u16string category;
    int image = -1;  // index into SmallImageList, -1 for none
    Shortcut shortcut;
    std::function<bool()> update;  // enabled now? empty means always enabled
    std::function<void()> execute;
};

class ActionList {
  public:
    void Add(Action action);

    Action* Find(int id);
    const Action* Find(int id) const;
    const std::vector<Action>& All() const { return actions_; }

    // Runs the action's update hook: whether it is enabled at this moment.
    bool IsEnabled(int id) const;

    // Updates, then executes when enabled; false when unknown or disabled.
    bool Execute(int id);

    // The accelerator table of every action with a shortcut.
    UniqueAccelerators CreateAccelerators() const;

    // The images of the actions (SmallImageList) as menu items show them.
    void SetMenuImages(MenuImages images) { menuImages_ = std::move(images); }
    // The menu bitmap of an action's image; nullptr for an action without one.
    HBITMAP MenuBitmap(const Action& action) const { return menuImages_.Bitmap(action.image); }

  private:
    std::vector<Action> actions_;
    MenuImages menuImages_;
};

// Menu text of a shortcut, e.g. "Ctrl+S".
std::u16string ShortcutText(Shortcut shortcut);

}  // namespace kestrine
