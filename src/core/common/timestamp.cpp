#include "common/timestamp.h"

#include <cmath>
#include <limits>

namespace kestrine {
namespace {

constexpr std::int64_t kMillisecondsPerDay = 86400000;
// 0100-01-01 and 9999-12-31 as days since 1899-12-30.
constexpr std::int64_t kFirstDay = -657434;
constexpr std::int64_t kLastDay = 2958465;
// 1970-01-01 as days since 1899-12-30.
constexpr std::int64_t kUnixEpochDay = 25569;

void AppendDigits(int value, int width, std::u16string& out) {
    char16_t digits[8];
    for (int i = width - 1; i >= 0; --i) {
        digits[i] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    }
    out.append(digits, static_cast<std::size_t>(width));
}

}  // namespace

std::optional<CalendarTime> DecodeTimestamp(Timestamp when) {
    // The range test also rejects not-a-number, which fails every comparison.
    if (!(when > static_cast<double>(kFirstDay) - 1 && when < static_cast<double>(kLastDay) + 1)) {
        return std::nullopt;
    }
    const double whole = std::trunc(when);
    auto day = static_cast<std::int64_t>(whole);
    auto millisecond = static_cast<std::int64_t>(
        std::llround(std::fabs(when - whole) * static_cast<double>(kMillisecondsPerDay)));
    if (millisecond >= kMillisecondsPerDay) {
        ++day;
        millisecond -= kMillisecondsPerDay;
    }
    if (day < kFirstDay || day > kLastDay) {
        return std::nullopt;
    }

    CalendarTime time;
    // Civil date from a day count (proleptic Gregorian), in 400-year eras from 0000-03-01.
    const std::int64_t z = day - kUnixEpochDay + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;  // 0 is March
    time.Day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    time.Month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    time.Year = static_cast<int>(yearOfEra + era * 400 + (time.Month <= 2 ? 1 : 0));
    // 1899-12-30 was a Saturday.
    time.DayOfWeek = static_cast<int>(((day % 7) + 7 + 6) % 7);

    time.Hour = static_cast<int>(millisecond / 3600000);
    time.Minute = static_cast<int>(millisecond / 60000 % 60);
    time.Second = static_cast<int>(millisecond / 1000 % 60);
    time.Millisecond = static_cast<int>(millisecond % 1000);
    return time;
}

std::int64_t TimestampMillisecondKey(Timestamp when) {
    if (std::isnan(when)) {
        return std::numeric_limits<std::int64_t>::min();
    }
    const double scaled = when * static_cast<double>(kMillisecondsPerDay);
    // 2^62 keeps well inside the key's range and far beyond any real date.
    constexpr double kLimit = 4611686018427387904.0;
    if (scaled >= kLimit) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (scaled <= -kLimit) {
        return std::numeric_limits<std::int64_t>::min() + 1;
    }
    return std::llround(scaled);
}

void AppendTimestampText(Timestamp when, std::u16string& out) {
    const auto time = DecodeTimestamp(when);
    if (!time) {
        return;
    }
    AppendDigits(time->Day, 2, out);
    out.push_back(u'/');
    AppendDigits(time->Month, 2, out);
    out.push_back(u'/');
    AppendDigits(time->Year, 4, out);
    out.push_back(u' ');
    AppendDigits(time->Hour, 2, out);
    out.push_back(u':');
    AppendDigits(time->Minute, 2, out);
}

std::u16string FormatTimestamp(Timestamp when) {
    std::u16string text;
    AppendTimestampText(when, text);
    return text;
}

}  // namespace kestrine
