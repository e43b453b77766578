#include "settings/category_combo.h"

namespace kestrine {

ComboContent FillCategoryCombo(const StringList& categories) {
    ComboContent combo;
    for (int i = 0; i < categories.Count(); ++i) {
        combo.Items.push_back(categories.NameAt(i));
    }
    combo.Selection = combo.Items.empty() ? -1 : 0;
    return combo;
}

int SelectionInRange(std::int32_t index, int count) {
    return (index >= 0 && index < count) ? static_cast<int>(index) : -1;
}

}  // namespace kestrine
