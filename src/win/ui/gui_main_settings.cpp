// Settings between the store and the window: loaded at creation, saved at destruction.
#include "settings/preferences.h"
#include "settings/settings.h"
#include "ui/gui_main.h"

namespace kestrine {

namespace {

std::u16string LocalComputerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(name, &length)) {
        return {};
    }
    return std::u16string(reinterpret_cast<const char16_t*>(name), length);
}

}  // namespace

void TKestrineClient::LoadSettings() {
    FirstRun firstRun;
    firstRun.ComputerName = &LocalComputerName;
    firstRun.Prompt = [this](std::u16string_view caption, std::u16string_view prompt,
                             std::u16string_view initial) {
        return desktop_.PromptText(Handle(), std::u16string(caption), std::u16string(prompt),
                                   std::u16string(initial));
    };
    settings_ = ::kestrine::LoadSettings(settingsStore_, firstRun);
    searchPage_.ShowSettings();
}

void TKestrineClient::SaveSettings() {
    searchPage_.StoreFormChoices();
    ::kestrine::SaveSettings(settingsStore_, settings_);
}

void TKestrineClient::ActionPreferencesExecute() {
    const EditedSettings current{settings_.ServerName, settings_.CategoryList, settings_.RowLimit};
    PreferencesValues values = PreferencesFromSettings(current);
    if (!desktop_.EditPreferences(Handle(), values)) {
        return;
    }
    EditedSettings accepted = ApplyPreferences(current, values);
    settings_.ServerName = std::move(accepted.ServerName);
    settings_.CategoryList = std::move(accepted.CategoryList);
    settings_.RowLimit = accepted.RowLimit;
    searchPage_.FillCategoryCombo();
}

}  // namespace kestrine
