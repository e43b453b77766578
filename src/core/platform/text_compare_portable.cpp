// Letter case without a locale: the simple lower-case mapping of the alphabets users are likely
// to type, so that lookups and sorting behave the same on every platform we test on.
#include "platform/text_compare.h"

#include <algorithm>
#include <cstddef>

namespace kestrine {
namespace {

// In these ranges capitals and small letters alternate, the capital first at an even or odd
// code point.
struct AlternatingRange {
    char16_t first;
    char16_t last;
};

constexpr AlternatingRange kEvenCapitals[] = {
    {0x0100, 0x012F}, {0x0132, 0x0137}, {0x014A, 0x0177}, {0x0182, 0x0185},
    {0x01A0, 0x01A5}, {0x01DE, 0x01EF}, {0x01F8, 0x021F}, {0x0222, 0x0233},
    {0x0246, 0x024F}, {0x0370, 0x0373}, {0x03D8, 0x03EF}, {0x0460, 0x0481},
    {0x048A, 0x04BF}, {0x04D0, 0x052F}, {0x1E00, 0x1E95}, {0x1EA0, 0x1EFF},
};

constexpr AlternatingRange kOddCapitals[] = {
    {0x0139, 0x0148}, {0x0179, 0x017E}, {0x01B3, 0x01B6}, {0x01CD, 0x01DC}, {0x04C1, 0x04CE},
};

bool InAlternating(char16_t c, const AlternatingRange& range, unsigned capitalParity) {
    return c >= range.first && c <= range.last && (c % 2u) == capitalParity;
}

char16_t Fold(char16_t c) {
    if (c < 0x80) {
        return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    }
    // Latin-1 capitals, except the multiplication sign.
    if (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) {
        return static_cast<char16_t>(c + 32);
    }
    for (const auto& range : kEvenCapitals) {
        if (InAlternating(c, range, 0)) {
            return static_cast<char16_t>(c + 1);
        }
    }
    for (const auto& range : kOddCapitals) {
        if (InAlternating(c, range, 1)) {
            return static_cast<char16_t>(c + 1);
        }
    }
    switch (c) {
        case 0x00B5:
            return 0x03BC;  // micro sign is Greek mu
        case 0x0130:
            return u'i';  // capital I with dot above
        case 0x0178:
            return 0x00FF;  // capital Y with diaeresis
        case 0x017F:
            return u's';  // long s
        case 0x0386:
            return 0x03AC;
        case 0x038C:
            return 0x03CC;
        case 0x038E:
            return 0x03CD;
        case 0x038F:
            return 0x03CE;
        case 0x03C2:
            return 0x03C3;  // final sigma
        case 0x04C0:
            return 0x04CF;
        case 0x1E9E:
            return 0x00DF;  // capital sharp s
        default:
            break;
    }
    if (c >= 0x0388 && c <= 0x038A) {
        return static_cast<char16_t>(c + 37);
    }
    if ((c >= 0x0391 && c <= 0x03A1) || (c >= 0x03A3 && c <= 0x03AB)) {  // Greek
        return static_cast<char16_t>(c + 32);
    }
    if (c >= 0x0400 && c <= 0x040F) {  // Cyrillic with marks
        return static_cast<char16_t>(c + 80);
    }
    if (c >= 0x0410 && c <= 0x042F) {  // basic Cyrillic
        return static_cast<char16_t>(c + 32);
    }
    if (c >= 0x0531 && c <= 0x0556) {  // Armenian
        return static_cast<char16_t>(c + 48);
    }
    if (c >= 0xFF21 && c <= 0xFF3A) {  // full-width Latin
        return static_cast<char16_t>(c + 32);
    }
    return c;
}

}  // namespace

int CompareTextIgnoringCase(std::u16string_view a, std::u16string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char16_t x = Fold(a[i]);
        const char16_t y = Fold(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace kestrine
