#include "filetime.h"

namespace kestrine::server {

Timestamp FileTimeToDays(std::uint64_t ticks) {
    constexpr double kTicksPerDay = 864000000000.0;
    constexpr double kDaysFrom1601To1899 = 109205.0;  // 1601-01-01 to 1899-12-30
    return static_cast<double>(ticks) / kTicksPerDay - kDaysFrom1601To1899;
}

}  // namespace kestrine::server
