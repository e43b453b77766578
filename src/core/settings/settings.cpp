#include "settings/settings.h"

#include "common/text.h"
#include "settings/category_combo.h"
#include "settings/default_categories.h"

namespace kestrine {
namespace {

std::u16string AskServerName(const FirstRun& firstRun) {
    std::u16string proposal = firstRun.ComputerName ? firstRun.ComputerName() : std::u16string();
    std::optional<std::u16string> entered;
    if (firstRun.Prompt) {
        entered = firstRun.Prompt(kFirstRunCaption, kFirstRunPrompt, proposal);
    }
    // Cancel keeps the proposal, so the prompt is shown on the first start only.
    return ServerNameFromInput(entered ? std::move(*entered) : std::move(proposal));
}

}  // namespace

std::int32_t ReadIntegerSetting(const SettingsStore& store, std::u16string_view name,
                                std::int32_t defaultValue) {
    const StoredValue value = store.Read(name);
    switch (value.kind) {
        case StoredValue::Kind::Integer:
            return value.integer;
        case StoredValue::Kind::Text:
            return ParseInt32(value.text).value_or(defaultValue);
        case StoredValue::Kind::Missing:
            break;
    }
    return defaultValue;
}

std::optional<std::u16string> ReadTextSetting(const SettingsStore& store,
                                              std::u16string_view name) {
    StoredValue value = store.Read(name);
    // A number where text belongs is as good as missing.
    if (value.kind != StoredValue::Kind::Text) {
        return std::nullopt;
    }
    return std::move(value.text);
}

void WriteIntegerSetting(SettingsStore& store, std::u16string_view name, std::int32_t value) {
    if (store.Read(name).kind == StoredValue::Kind::Text) {
        store.WriteText(name, ToText(value));
    } else {
        store.WriteInteger(name, value);
    }
}

std::u16string ServerNameFromInput(std::u16string text) {
    if (text.starts_with(u"\\\\")) {
        text.erase(0, 2);
    }
    return text;
}

Settings LoadSettings(const SettingsStore& store, const FirstRun& firstRun) {
    Settings settings;
    settings.RowLimit = ReadIntegerSetting(store, kRowLimitValue, 1000);

    const std::optional<std::u16string> fileTypes = ReadTextSetting(store, kFileTypesValue);
    settings.CategoryList.SetCommaText(fileTypes ? *fileTypes : DefaultCategories().GetCommaText());

    settings.History.SetCommaText(ReadTextSetting(store, kHistoryValue).value_or(u""));

    if (std::optional<std::u16string> serverName = ReadTextSetting(store, kServerNameValue)) {
        settings.ServerName = std::move(*serverName);
    } else {
        settings.ServerName = AskServerName(firstRun);
    }

    settings.SearchIn =
        SelectionInRange(ReadIntegerSetting(store, kSearchInValue, 0), kSearchInChoices);
    settings.SearchType = SelectionInRange(ReadIntegerSetting(store, kSearchTypeValue, 0),
                                           settings.CategoryList.Count());
    settings.SearchOn =
        SelectionInRange(ReadIntegerSetting(store, kSearchOnValue, 0), kSearchOnChoices);
    return settings;
}

void SaveSettings(SettingsStore& store, const Settings& settings) {
    WriteIntegerSetting(store, kRowLimitValue, settings.RowLimit);
    store.WriteText(kFileTypesValue, settings.CategoryList.GetCommaText());
    store.WriteText(kHistoryValue, settings.History.GetCommaText());
    store.WriteText(kServerNameValue, settings.ServerName);
    WriteIntegerSetting(store, kSearchInValue, settings.SearchIn);
    WriteIntegerSetting(store, kSearchTypeValue, settings.SearchType);
    WriteIntegerSetting(store, kSearchOnValue, settings.SearchOn);
}

}  // namespace kestrine
