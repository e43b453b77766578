#include "common/byte_size.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace kestrine {
namespace {

constexpr char16_t kUnits[] = {u'K', u'M', u'G', u'T', u'P', u'E'};

// Writes the decimal digits of value ending before end; returns the new start.
char16_t* PutUnsigned(std::uint64_t value, char16_t* end) {
    do {
        *--end = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    } while (value != 0);
    return end;
}

}  // namespace

void AppendByteSize(std::int64_t bytes, std::u16string& out) {
    // Built from the back in a fixed buffer and appended once: export formats a million.
    char16_t text[40];
    char16_t* const end = text + 40;
    char16_t* p = end;
    if (bytes < 1024) {
        static constexpr std::u16string_view kBytes = u" bytes";
        p -= kBytes.size();
        kBytes.copy(p, kBytes.size());
        // Negating in unsigned arithmetic also covers the most negative value.
        const std::uint64_t magnitude =
            bytes < 0 ? 0 - static_cast<std::uint64_t>(bytes) : static_cast<std::uint64_t>(bytes);
        p = PutUnsigned(magnitude, p);
        if (bytes < 0) {
            *--p = u'-';
        }
        out.append(p, end);
        return;
    }
    const auto value = static_cast<std::uint64_t>(bytes);
    // The smallest unit that leaves fewer than 1000 whole units; a positive int64 stays below
    // 8 EB, so the last unit always fits.
    int unit = 0;
    int shift = 10;
    while (unit + 1 < static_cast<int>(std::size(kUnits)) && (value >> shift) >= 1000) {
        ++unit;
        shift += 10;
    }
    const std::uint64_t divisor = std::uint64_t{1} << shift;
    const std::uint64_t whole = value >> shift;
    const int decimals = whole < 10 ? 2 : whole < 100 ? 1 : 0;

    *--p = u'B';
    *--p = kUnits[unit];
    *--p = u' ';
    if (decimals > 0) {
        // Digit by digit so that rest * 10 never overflows (rest < 2^60); then cut off.
        std::uint64_t rest = value & (divisor - 1);
        char16_t fraction[2];
        for (int i = 0; i < decimals; ++i) {
            rest *= 10;
            fraction[i] = static_cast<char16_t>(u'0' + (rest >> shift));
            rest &= divisor - 1;
        }
        p -= decimals;
        std::copy(fraction, fraction + decimals, p);
        *--p = u'.';
    }
    p = PutUnsigned(whole, p);
    out.append(p, end);
}

std::u16string FormatByteSize(std::int64_t bytes) {
    std::u16string text;
    AppendByteSize(bytes, text);
    return text;
}

}  // namespace kestrine
