#include "ui/win_desktop_services.h"

#include <commdlg.h>
#include <shellapi.h>
#include <winnetwk.h>

#include <vector>

#include "dialogs/preferences_dialog.h"
#include "dialogs/text_prompt_dialog.h"
#include "ui/file_drop_source.h"
#include "win_text.h"

namespace kestrine {

void WinDesktopServices::ShowMessage(HWND owner, const std::u16string& text, MessageIcon icon) {
    UINT type = MB_OK;
    switch (icon) {
        case MessageIcon::Information:
            type |= MB_ICONINFORMATION;
            break;
        case MessageIcon::Warning:
            type |= MB_ICONWARNING;
            break;
        case MessageIcon::Error:
            type |= MB_ICONERROR;
            break;
    }
    MessageBoxW(owner, AsWide(text), nullptr, type);
}

std::optional<std::u16string> WinDesktopServices::PromptText(HWND owner,
                                                             const std::u16string& caption,
                                                             const std::u16string& prompt,
                                                             const std::u16string& initial) {
    return ShowTextPrompt(owner, caption, prompt, initial);
}

std::optional<std::u16string> WinDesktopServices::ChooseSaveFile(
    HWND owner, const std::u16string& filter, const std::u16string& defaultExtension,
    bool promptOverwrite) {
    // The dialog wants the filter's parts separated by NUL and ended by two NULs.
    std::u16string filterList = filter;
    for (char16_t& c : filterList) {
        if (c == u'|') {
            c = u'\0';
        }
    }
    filterList.append(2, u'\0');
    const std::u16string extension = !defaultExtension.empty() && defaultExtension.front() == u'.'
                                         ? defaultExtension.substr(1)
                                         : defaultExtension;
    std::vector<wchar_t> path(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = AsWide(filterList);
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrDefExt = extension.empty() ? nullptr : AsWide(extension);
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (promptOverwrite) {
        dialog.Flags |= OFN_OVERWRITEPROMPT;
    }
    if (!GetSaveFileNameW(&dialog)) {
        return std::nullopt;
    }
    return FromWide(path.data());
}

void WinDesktopServices::BeginWait() {
    if (waitDepth_++ == 0) {
        savedCursor_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    }
}

void WinDesktopServices::EndWait() {
    if (waitDepth_ > 0 && --waitDepth_ == 0) {
        SetCursor(savedCursor_ != nullptr ? savedCursor_ : LoadCursorW(nullptr, IDC_ARROW));
        savedCursor_ = nullptr;
    }
}

ShellResult WinDesktopServices::ShellOpen(HWND owner, const std::u16string& path) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, nullptr, AsWide(path), nullptr, nullptr, SW_SHOWDEFAULT));
    if (result > 32) {
        return ShellResult{true, 0};
    }
    return ShellResult{false, GetLastError()};
}

void WinDesktopServices::ShowProperties(const std::u16string& path) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.lpVerb = L"properties";
    info.lpFile = AsWide(path);
    info.nShow = SW_SHOWDEFAULT;
    ShellExecuteExW(&info);
}

void WinDesktopServices::MapNetworkDrive(HWND owner, const std::u16string& remoteName) {
    // The structure wants a writable name; the dialog gets a copy of ours.
    std::u16string remote = remoteName;
    NETRESOURCEW resource{};
    resource.dwType = RESOURCETYPE_DISK;
    resource.lpRemoteName = reinterpret_cast<wchar_t*>(remote.data());
    CONNECTDLGSTRUCTW dialog{};
    dialog.cbStructure = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpConnRes = &resource;
    WNetConnectionDialog1W(&dialog);
}

POINT WinDesktopServices::CursorPosition() {
    POINT point{};
    GetCursorPos(&point);
    return point;
}

int WinDesktopServices::TrackPopupMenu(HWND owner, HMENU menu, POINT screenPoint) {
    return static_cast<int>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.x,
                                             screenPoint.y, 0, owner, nullptr));
}

bool WinDesktopServices::EditPreferences(HWND owner, PreferencesValues& values) {
    // A refused category key and a failure are told like the window's own messages.
    return ShowPreferencesDialog(
        owner, values,
        [this](HWND dialog, const std::u16string& text) {
            ShowMessage(dialog, text, MessageIcon::Warning);
        },
        [this](HWND dialog, const std::u16string& text) {
            ShowMessage(dialog, text, MessageIcon::Error);
        });
}

void WinDesktopServices::DragFileOut(const std::u16string& path) {
    kestrine::DragFileOut(path);
}

}  // namespace kestrine
