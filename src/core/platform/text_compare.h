#pragma once

#include <string_view>

namespace kestrine {

// Compares two texts without regard to letter case: <0, 0 or >0. On Windows this follows the
// user's locale; elsewhere it folds the case of the common alphabets and compares code units.
// Either way it is a consistent order, fit for sorting.
int CompareTextIgnoringCase(std::u16string_view a, std::u16string_view b);

inline bool SameTextIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return CompareTextIgnoringCase(a, b) == 0;
}

}  // namespace kestrine
