#include "settings/preferences.h"

#include "common/text.h"
#include "platform/text_compare.h"
#include "settings/settings.h"

namespace kestrine {

PreferencesValues PreferencesFromSettings(const EditedSettings& settings) {
    PreferencesValues values;
    values.ServerName = settings.ServerName;
    for (int i = 0; i < settings.CategoryList.Count(); ++i) {
        values.Categories.push_back(
            KeyValueRow{settings.CategoryList.NameAt(i), settings.CategoryList.ValueAt(i)});
    }
    values.ResultsPerPage = ToText(settings.RowLimit);
    return values;
}

EditedSettings ApplyPreferences(const EditedSettings& current, const PreferencesValues& accepted) {
    EditedSettings result;
    result.ServerName = ServerNameFromInput(AsciiUpper(accepted.ServerName));
    for (const KeyValueRow& row : accepted.Categories) {
        result.CategoryList.Add(row.Key + u"=" + row.Value);
    }
    result.RowLimit = ParseInt32(Trim(accepted.ResultsPerPage)).value_or(current.RowLimit);
    return result;
}

std::optional<std::u16string> CategoryKeyRefusal(const std::vector<KeyValueRow>& rows,
                                                 std::size_t row, std::u16string_view key) {
    if (key.empty()) {
        return u"A category needs a name.";
    }
    if (key.find(u'=') != std::u16string_view::npos) {
        return u"A category name cannot contain \"=\".";
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i != row && SameTextIgnoringCase(rows[i].Key, key)) {
            return u"There is already a category named \"" + rows[i].Key + u"\".";
        }
    }
    return std::nullopt;
}

}  // namespace kestrine
