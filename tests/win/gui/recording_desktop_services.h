#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/desktop_services.h"
#include "win_text.h"

// Header-only: the test program is built from its *_test.cpp files alone.
namespace kestrine::testing {

struct RecordedMenuItem {
    std::u16string text;  // "-" for a separator
    bool enabled = true;
    bool isDefault = false;
};

// The items of a menu as the user would see them.
inline std::vector<RecordedMenuItem> ReadMenuItems(HMENU menu) {
    std::vector<RecordedMenuItem> items;
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING | MIIM_STATE | MIIM_FTYPE;
        info.dwTypeData = text;
        info.cch = static_cast<UINT>(std::size(text));
        GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
        const bool separator = (info.fType & MFT_SEPARATOR) != 0;
        items.push_back(RecordedMenuItem{separator ? u"-" : FromWide(text),
                                         (info.fState & MFS_DISABLED) == 0,
                                         (info.fState & MFS_DEFAULT) != 0});
    }
    return items;
}

// The desktop for GUI tests: records every request and answers from a script, so no modal
// window ever opens.
class RecordingDesktopServices final : public DesktopServices {
  public:
    struct Message {
        std::u16string text;
        MessageIcon icon;
    };
    struct Prompt {
        std::u16string caption;
        std::u16string prompt;
        std::u16string initial;
    };
    struct SaveDialog {
        std::u16string filter;
        std::u16string defaultExtension;
        bool promptOverwrite;
    };
    struct Popup {
        std::vector<RecordedMenuItem> items;
        POINT at;
    };

    // What happened.
    std::vector<Message> messages;
    std::vector<Prompt> prompts;
    std::vector<SaveDialog> saveDialogs;
    std::vector<std::u16string> opened;
    std::vector<std::u16string> properties;
    std::vector<std::u16string> mappedDrives;
    std::vector<Popup> popups;
    std::vector<PreferencesValues> preferences;  // what each preferences dialog started from
    std::vector<std::u16string> dragged;
    int waitDepth = 0;
    int waitCount = 0;

    // The script: answers are taken from the front; an empty queue answers Cancel (nothing).
    std::deque<std::optional<std::u16string>> promptAnswers;
    std::deque<std::optional<std::u16string>> saveAnswers;
    std::deque<int> popupChoices;
    std::deque<std::optional<PreferencesValues>> preferencesAnswers;  // nothing: Cancel
    ShellResult shellResult{true, 0};
    POINT cursor{0, 0};
    // Runs as each message box appears, to see what the window shows behind it.
    std::function<void()> onMessage;

    void ShowMessage(HWND, const std::u16string& text, MessageIcon icon) override {
        messages.push_back(Message{text, icon});
        if (onMessage) {
            onMessage();
        }
    }
    std::optional<std::u16string> PromptText(HWND, const std::u16string& caption,
                                             const std::u16string& prompt,
                                             const std::u16string& initial) override {
        prompts.push_back(Prompt{caption, prompt, initial});
        return TakeFront(promptAnswers, std::optional<std::u16string>());
    }
    std::optional<std::u16string> ChooseSaveFile(HWND, const std::u16string& filter,
                                                 const std::u16string& defaultExtension,
                                                 bool promptOverwrite) override {
        saveDialogs.push_back(SaveDialog{filter, defaultExtension, promptOverwrite});
        return TakeFront(saveAnswers, std::optional<std::u16string>());
    }
    void BeginWait() override {
        ++waitDepth;
        ++waitCount;
    }
    void EndWait() override { --waitDepth; }
    ShellResult ShellOpen(HWND, const std::u16string& path) override {
        opened.push_back(path);
        return shellResult;
    }
    void ShowProperties(const std::u16string& path) override { properties.push_back(path); }
    void MapNetworkDrive(HWND, const std::u16string& remoteName) override {
        mappedDrives.push_back(remoteName);
    }
    POINT CursorPosition() override { return cursor; }
    int TrackPopupMenu(HWND, HMENU menu, POINT screenPoint) override {
        popups.push_back(Popup{ReadMenuItems(menu), screenPoint});
        return TakeFront(popupChoices, 0);
    }
    void DragFileOut(const std::u16string& path) override { dragged.push_back(path); }
    bool EditPreferences(HWND, PreferencesValues& values) override {
        preferences.push_back(values);
        std::optional<PreferencesValues> answer =
            TakeFront(preferencesAnswers, std::optional<PreferencesValues>());
        if (answer) {
            values = std::move(*answer);
        }
        return answer.has_value();
    }

  private:
    template <typename Answer>
    static Answer TakeFront(std::deque<Answer>& script, Answer none) {
        if (script.empty()) {
            return none;
        }
        Answer answer = std::move(script.front());
        script.pop_front();
        return answer;
    }
};

}  // namespace kestrine::testing
