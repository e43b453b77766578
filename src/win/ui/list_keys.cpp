#include "ui/list_keys.h"

namespace kestrine {

namespace {
bool IsDown(int key) {
    return GetKeyState(key) < 0;
}
}  // namespace

ListKeyCommand ListKeyCommandOf(WORD key) {
    const bool ctrl = IsDown(VK_CONTROL);
    const bool shift = IsDown(VK_SHIFT);
    if (IsDown(VK_MENU)) {
        return ListKeyCommand::None;  // Alt combinations belong to the menus
    }
    switch (key) {
        case 'C':
            if (!ctrl) {
                return ListKeyCommand::None;
            }
            return shift ? ListKeyCommand::CopyCells : ListKeyCommand::CopyPath;
        case VK_RETURN:
            return ctrl || shift ? ListKeyCommand::None : ListKeyCommand::Activate;
        case VK_F6:
            return ctrl ? ListKeyCommand::None : ListKeyCommand::NextPane;
        case VK_BACK:
            return ctrl || shift ? ListKeyCommand::None : ListKeyCommand::Back;
        default:
            return ListKeyCommand::None;
    }
}

}  // namespace kestrine
