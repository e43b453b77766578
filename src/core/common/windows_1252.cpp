#include "common/windows_1252.h"

namespace kestrine {
namespace {

// 0x80-0x9F of Windows-1252. The five unassigned bytes map to the C1 control of the same
// value, as Windows itself does.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

std::u16string DecodeWindows1252(std::span<const std::uint8_t> bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (std::uint8_t b : bytes) {
        out.push_back(b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : static_cast<char16_t>(b));
    }
    return out;
}

}  // namespace kestrine
