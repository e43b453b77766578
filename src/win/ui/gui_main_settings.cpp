// Settings between the store and the window: loaded at creation, saved at destruction.
#include "settings/category_combo.h"
#include "settings/preferences.h"
#include "settings/settings.h"
#include "ui/combo_box.h"
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
    const Settings settings = ::kestrine::LoadSettings(settingsStore_, firstRun);
    RowLimit = settings.RowLimit;
    CategoryList = settings.CategoryList;
    SetComboItems(ui_.cmbQuery, settings.History.Entries());
    ServerName = settings.ServerName;
    FillCategoryCombo();
    SetComboSelection(ui_.cmbSearchIn, SelectionInRange(settings.SearchIn, kSearchInChoices));
    SetComboSelection(ui_.cmbFileTypes,
                      SelectionInRange(settings.SearchType, CategoryList.Count()));
    SetComboSelection(ui_.cmbSearchOn, SelectionInRange(settings.SearchOn, kSearchOnChoices));
}

void TKestrineClient::SaveSettings() {
    Settings settings;
    settings.RowLimit = RowLimit;
    settings.CategoryList = CategoryList;
    for (std::u16string& item : ComboItems(ui_.cmbQuery)) {
        settings.History.Add(std::move(item));
    }
    settings.ServerName = ServerName;
    settings.SearchIn = ComboSelection(ui_.cmbSearchIn);
    settings.SearchType = ComboSelection(ui_.cmbFileTypes);
    settings.SearchOn = ComboSelection(ui_.cmbSearchOn);
    ::kestrine::SaveSettings(settingsStore_, settings);
}

void TKestrineClient::FillCategoryCombo() {
    const ComboContent content = ::kestrine::FillCategoryCombo(CategoryList);
    SetComboItems(ui_.cmbFileTypes, content.Items);
    SetComboSelection(ui_.cmbFileTypes, content.Selection);
}

void TKestrineClient::ActionPreferencesExecute() {
    const EditedSettings current{ServerName, CategoryList, RowLimit};
    PreferencesValues values = PreferencesFromSettings(current);
    if (!desktop_.EditPreferences(Handle(), values)) {
        return;
    }
    EditedSettings accepted = ApplyPreferences(current, values);
    ServerName = std::move(accepted.ServerName);
    CategoryList = std::move(accepted.CategoryList);
    RowLimit = accepted.RowLimit;
    FillCategoryCombo();
}

}  // namespace kestrine
