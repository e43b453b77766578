// The action list, the main menu, the accelerators and the operations popup menu.
#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>

#include "ui/control_ids.h"
#include "ui/gui_main.h"
#include "ui/image_lists.h"
#include "ui/list_view.h"
#include "ui/menus.h"

namespace kestrine {

void TKestrineClient::CreateActions() {
    const auto operation = [this](int id, const char16_t* name, const char16_t* caption,
                                  void (TKestrineClient::*execute)()) {
        actions_.Add(Action{id, name, caption, u"Operation", -1, Shortcut{},
                            [this, id] { return ContentViewActionUpdate(id); },
                            [this, execute] { (this->*execute)(); }});
    };
    const auto general = [this](int id, const char16_t* name, const char16_t* caption, int image,
                                Shortcut shortcut, void (TKestrineClient::*execute)()) {
        actions_.Add(Action{id, name, caption, u"General", image, shortcut, nullptr,
                            [this, execute] { (this->*execute)(); }});
    };
    operation(kActionOpen, u"ActionOpen", u"&Open", &TKestrineClient::ActionOpenExecute);
    operation(kActionOpenFolder, u"ActionOpenFolder", u"Open Containing &Folder",
              &TKestrineClient::ActionOpenFolderExecute);
    operation(kActionMapDrive, u"ActionMapDrive", u"&Map Network Drive",
              &TKestrineClient::ActionMapDriveExecute);
    operation(kActionProperties, u"ActionProperties", u"&Properties",
              &TKestrineClient::ActionPropertiesExecute);
    // Ctrl+C reaches it from the lists themselves: as a shortcut of the window it would take
    // the key from the query box too.
    operation(kActionCopyPath, u"ActionCopyPath", u"Copy &Path",
              &TKestrineClient::ActionCopyPathExecute);
    general(kActionPreferences, u"ActionPreferences", u"&Preferences", kImageChecklist,
            Shortcut{'P', true}, &TKestrineClient::ActionPreferencesExecute);
    general(kActionGo, u"ActionGo", u"&Go", -1, Shortcut{}, &TKestrineClient::ActionGoExecute);
    general(kActionSave, u"ActionSave", u"&Save Results ...", kImageFloppyDisk, Shortcut{'S', true},
            &TKestrineClient::ActionSaveExecute);
    general(kActionExit, u"ActionExit", u"&Exit", -1, Shortcut{},
            &TKestrineClient::ActionExitExecute);
    accelerators_ = actions_.CreateAccelerators();
    actions_.SetMenuImages(MenuImages(LoadSmallImageList().get()));
}

void TKestrineClient::CreateMenus() {
    static constexpr int kFileMenu[] = {kActionSave, kActionPreferences, kMenuSeparator,
                                        kActionExit};
    mainMenu_ = CreateMenuBar(L"&File", actions_, kFileMenu);
    static constexpr int kOperations[] = {kActionOpen,       kActionOpenFolder, kActionMapDrive,
                                          kActionProperties, kMenuSeparator,    kActionCopyPath};
    operationPopupMenu_ = CreateActionPopup(actions_, kOperations);
}

void TKestrineClient::ShowOperationPopup(HWND list, LPARAM position) {
    POINT at{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    // From the keyboard both halves are -1; the whole value need not be, since 64-bit
    // builds widen MAKELPARAM(-1, -1) without its sign.
    if (at.x == -1 && at.y == -1) {
        // Under the selected row, else at the list's corner.
        at = POINT{0, 0};
        RECT row{};
        const int selected = SelectedRow(list);
        if (selected >= 0 && ListView_GetItemRect(list, selected, &row, LVIR_LABEL)) {
            at = POINT{row.left, row.bottom};
        }
        ClientToScreen(list, &at);
    }
    UpdateMenuItems(operationPopupMenu_.get(), actions_);
    const int chosen = desktop_.TrackPopupMenu(Handle(), operationPopupMenu_.get(), at);
    if (chosen != 0) {
        actions_.Execute(chosen);  // updates once more: a disabled action does nothing
    }
}

}  // namespace kestrine
