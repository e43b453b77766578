#pragma once

#include "lists/string_list.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kestrine {

// What a list-only combo box should hold: its items and the selected index (-1 for none).
struct ComboContent {
    std::vector<std::u16string> Items;
    int Selection = -1;

    friend bool operator==(const ComboContent&, const ComboContent&) = default;
};

// The category combo rebuilt from the category list: every entry's name in list order, the
// first one selected; no selection when there are no categories.
ComboContent FillCategoryCombo(const StringList& categories);

// A stored selection index as a combo of count items takes it: indexes outside the items
// leave the combo without a selection.
int SelectionInRange(std::int32_t index, int count);

}  // namespace kestrine
