#pragma once

#include "lists/string_list.h"
#include "settings/settings_store.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kestrine {

// Names of the stored values.
inline constexpr std::u16string_view kRowLimitValue = u"RowLimit";
inline constexpr std::u16string_view kFileTypesValue = u"FileTypes";
inline constexpr std::u16string_view kHistoryValue = u"History";
inline constexpr std::u16string_view kServerNameValue = u"ServerName";
inline constexpr std::u16string_view kSearchInValue = u"SearchIn";
inline constexpr std::u16string_view kSearchTypeValue = u"SearchType";
inline constexpr std::u16string_view kSearchOnValue = u"SearchOn";

// Item counts of the two fixed combos: "Files", "Folders", "Files & Folders" and
// "All computers", "Active computers".
inline constexpr int kSearchInChoices = 3;
inline constexpr int kSearchOnChoices = 2;

inline constexpr std::u16string_view kFirstRunCaption = u"Initial configuration";
inline constexpr std::u16string_view kFirstRunPrompt =
    u"Please enter the search engine server name. \r\n"
    u"If you do not know it, ask your network administrator.";

// The per-user settings as the main window holds them. The three selections are combo
// indexes, -1 when the combo has no selection.
struct Settings {
    std::int32_t RowLimit = 1000;
    StringList CategoryList;  // name=extensions entries
    StringList History;       // query history, newest first
    std::u16string ServerName;
    int SearchIn = 0;
    int SearchType = 0;
    int SearchOn = 0;

    friend bool operator==(const Settings&, const Settings&) = default;
};

// Shows a modal text prompt; the entered text on OK, nothing on Cancel.
using TextPrompt = std::function<std::optional<std::u16string>(
    std::u16string_view caption, std::u16string_view prompt, std::u16string_view initialText)>;

// What the first start needs from the desktop: the computer's own name as a proposal (empty
// when unknown) and a prompt for the server name. Either may be left empty: no proposal,
// and a prompt that is always cancelled.
struct FirstRun {
    std::function<std::u16string()> ComputerName;
    TextPrompt Prompt;
};

// Reads all settings, with their defaults for missing or unusable values. A missing server
// name marks the first start and asks for one; the answer is only stored by SaveSettings.
Settings LoadSettings(const SettingsStore& store, const FirstRun& firstRun);

// Writes all seven values, in a fixed order.
void SaveSettings(SettingsStore& store, const Settings& settings);

// The value rules, also for single values: an integer stored as text is read from its decimal
// text (the default when it is not a number) and is written back as text.
std::int32_t ReadIntegerSetting(const SettingsStore& store, std::u16string_view name,
                                std::int32_t defaultValue);
std::optional<std::u16string> ReadTextSetting(const SettingsStore& store, std::u16string_view name);
void WriteIntegerSetting(SettingsStore& store, std::u16string_view name, std::int32_t value);

// A server name as the user typed it: a leading "\\" is dropped.
std::u16string ServerNameFromInput(std::u16string text);

}  // namespace kestrine
