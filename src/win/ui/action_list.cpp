#include "ui/action_list.h"

#include <algorithm>

namespace kestrine {

void ActionList::Add(Action action) {
    actions_.push_back(std::move(action));
}

Action* ActionList::Find(int id) {
    const auto found = std::find_if(actions_.begin(), actions_.end(),
                                    [id](const Action& action) { return action.id == id; });
    return found == actions_.end() ? nullptr : &*found;
}

const Action* ActionList::Find(int id) const {
    const auto found = std::find_if(actions_.begin(), actions_.end(),
                                    [id](const Action& action) { return action.id == id; });
    return found == actions_.end() ? nullptr : &*found;
}

bool ActionList::IsEnabled(int id) const {
    const Action* action = Find(id);
    return action != nullptr && (!action->update || action->update());
}

bool ActionList::Execute(int id) {
    if (!IsEnabled(id)) {
        return false;
    }
    // Copied so that an execute hook may replace the action's hooks safely.
    const std::function<void()> execute = Find(id)->execute;
    if (execute) {
        execute();
    }
    return true;
}

UniqueAccelerators ActionList::CreateAccelerators() const {
    std::vector<ACCEL> table;
    for (const Action& action : actions_) {
        if (action.shortcut.IsSet()) {
            BYTE flags = FVIRTKEY;
            if (action.shortcut.ctrl) {
                flags |= FCONTROL;
            }
            table.push_back(ACCEL{flags, action.shortcut.key, static_cast<WORD>(action.id)});
        }
    }
    if (table.empty()) {
        return UniqueAccelerators();
    }
    return UniqueAccelerators(
        CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())));
}

std::u16string ShortcutText(Shortcut shortcut) {
    if (!shortcut.IsSet()) {
        return {};
    }
    std::u16string text = shortcut.ctrl ? u"Ctrl+" : u"";
    if ((shortcut.key >= 'A' && shortcut.key <= 'Z') ||
        (shortcut.key >= '0' && shortcut.key <= '9')) {
        text += static_cast<char16_t>(shortcut.key);
    } else if (shortcut.key >= VK_F1 && shortcut.key <= VK_F12) {
        text += u"F";
        const int number = shortcut.key - VK_F1 + 1;
        if (number >= 10) {
            text += static_cast<char16_t>(u'0' + number / 10);
        }
        text += static_cast<char16_t>(u'0' + number % 10);
    }
    return text;
}

}  // namespace kestrine
