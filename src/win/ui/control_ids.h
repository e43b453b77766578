#pragma once

namespace kestrine {

// Control ids of the main window. Action ids double as WM_COMMAND ids, so a menu item, an
// accelerator and the Go button all arrive as the same command.
enum ControlId : int {
    kIdStatusBar = 100,
    kIdPages,
    kIdSearchTab,
    kIdGroupBox1,
    kIdLabel4,
    kIdCmbQuery,
    kIdLabel1,
    kIdCmbSearchIn,
    kIdLabel3,
    kIdCmbFileTypes,
    kIdLabel2,
    kIdCmbSearchOn,
    kIdSplitter2,
    kIdViewResultPanel,
    kIdViewResults,
    kIdBrowseTab,
    kIdViewContentPath,
    kIdViewContentPanel,
    kIdViewHost,
    kIdSplitter1,
    kIdViewContent,
};

enum ActionId : int {
    kActionOpen = 1001,
    kActionOpenFolder,
    kActionMapDrive,
    kActionProperties,
    kActionPreferences,
    kActionGo,  // also the id of the Go button
    kActionSave,
    kActionExit,
    kActionCopyPath,
};

}  // namespace kestrine
