#pragma once

#include "lists/string_list.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrine {

// One row of a key/value grid.
struct KeyValueRow {
    std::u16string Key;
    std::u16string Value;

    friend bool operator==(const KeyValueRow&, const KeyValueRow&) = default;
};

// The three settings the preferences dialog edits, as the main window holds them.
struct EditedSettings {
    std::u16string ServerName;
    StringList CategoryList;  // name=extensions entries
    std::int32_t RowLimit = 1000;

    friend bool operator==(const EditedSettings&, const EditedSettings&) = default;
};

// What the preferences dialog shows and, on OK, hands back: the texts of its two fields and
// the rows of its category grid, in grid order.
struct PreferencesValues {
    std::u16string ServerName;
    std::vector<KeyValueRow> Categories;
    std::u16string ResultsPerPage;

    friend bool operator==(const PreferencesValues&, const PreferencesValues&) = default;
};

// The dialog's starting content: the server name as stored (the field shows it in upper
// case), one row per category entry, and the page size as decimal text.
PreferencesValues PreferencesFromSettings(const EditedSettings& settings);

// The settings after the dialog closed with OK. The server name is upper-cased and loses a
// leading "\\"; the category list is rebuilt as "key=value" per row in grid order; the page
// size is taken only when the text is a decimal 32-bit integer (surrounding spaces allowed),
// with no range check, else the current one stays.
//
// Upper case here is the locale-free rule of AsciiUpper (a-z only): the field has already
// upper-cased everything typed with the user's locale, so this only makes sure of the letters
// a server name is made of whatever way the text arrived.
EditedSettings ApplyPreferences(const EditedSettings& current, const PreferencesValues& accepted);

// Why key may not become the key of rows[row] (row may be rows.size() for a new row), or
// nothing when it may: a category needs a name, a name holding "=" would be read back split
// at it, and names are unique without regard to letter case.
std::optional<std::u16string> CategoryKeyRefusal(const std::vector<KeyValueRow>& rows,
                                                 std::size_t row, std::u16string_view key);

}  // namespace kestrine
