// The Windows variant of platform/text_compare.h: letter case follows the user's locale, as
// the rest of the desktop does.
#include "platform/text_compare.h"

#include <windows.h>

#include <algorithm>
#include <limits>

namespace kestrine {
namespace {

int CompareCodeUnits(std::u16string_view a, std::u16string_view b) {
    const int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

}  // namespace

int CompareTextIgnoringCase(std::u16string_view a, std::u16string_view b) {
    constexpr std::size_t kLimit = static_cast<std::size_t>(std::numeric_limits<int>::max());
    if (a.size() > kLimit || b.size() > kLimit) {
        return CompareCodeUnits(a, b);
    }
    const int result =
        CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE,
                       reinterpret_cast<const wchar_t*>(a.data()), static_cast<int>(a.size()),
                       reinterpret_cast<const wchar_t*>(b.data()), static_cast<int>(b.size()));
    if (result == 0) {
        return CompareCodeUnits(a, b);
    }
    return result - CSTR_EQUAL;  // CSTR_LESS_THAN, CSTR_EQUAL, CSTR_GREATER_THAN are 1, 2, 3
}

}  // namespace kestrine
