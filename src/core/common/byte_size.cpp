#include "common/byte_size.h"

#include <iterator>

namespace kestrine {
namespace {

constexpr char16_t kUnits[] = {u'K', u'M', u'G', u'T', u'P', u'E'};

void AppendUnsigned(std::uint64_t value, std::u16string& out) {
    char16_t digits[20];
    int count = 0;
    do {
        digits[count++] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0) {
        out.push_back(digits[--count]);
    }
}

}  // namespace

void AppendByteSize(std::int64_t bytes, std::u16string& out) {
    if (bytes < 1024) {
        if (bytes < 0) {
            out.push_back(u'-');
        }
        // Negating in unsigned arithmetic also covers the most negative value.
        const std::uint64_t magnitude =
            bytes < 0 ? 0 - static_cast<std::uint64_t>(bytes) : static_cast<std::uint64_t>(bytes);
        AppendUnsigned(magnitude, out);
        out.append(u" bytes");
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
    std::uint64_t rest = value & (divisor - 1);
    const int decimals = whole < 10 ? 2 : whole < 100 ? 1 : 0;

    AppendUnsigned(whole, out);
    if (decimals > 0) {
        out.push_back(u'.');
        // Digit by digit so that rest * 10 never overflows (rest < 2^60).
        for (int i = 0; i < decimals; ++i) {
            rest *= 10;
            out.push_back(static_cast<char16_t>(u'0' + rest / divisor));
            rest %= divisor;
        }
    }
    out.push_back(u' ');
    out.push_back(kUnits[unit]);
    out.push_back(u'B');
}

std::u16string FormatByteSize(std::int64_t bytes) {
    std::u16string text;
    AppendByteSize(bytes, text);
    return text;
}

}  // namespace kestrine
