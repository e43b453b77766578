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

// Writes value as exactly width digits, ending before end; returns the new start.
char16_t* PutDigits(int value, int width, char16_t* end) {
    for (int i = 0; i < width; ++i) {
        *--end = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    }
    return end;
}

// The day and the millisecond of the day a timestamp falls in, as DecodeTimestamp reads it.
struct DayAndMillisecond {
    std::int64_t day;
    std::int64_t millisecond;
};

std::optional<DayAndMillisecond> SplitTimestamp(Timestamp when) {
    // The range test also rejects not-a-number, which fails every comparison.
    if (!(when > static_cast<double>(kFirstDay) - 1 && when < static_cast<double>(kLastDay) + 1)) {
        return std::nullopt;
    }
    // In range, so the conversions below are exact truncations toward zero.
    auto day = static_cast<std::int64_t>(when);
    auto millisecond = static_cast<std::int64_t>(std::fabs(when - static_cast<double>(day)) *
                                                     static_cast<double>(kMillisecondsPerDay) +
                                                 0.5);
    if (millisecond >= kMillisecondsPerDay) {
        ++day;
        millisecond -= kMillisecondsPerDay;
    }
    if (day < kFirstDay || day > kLastDay) {
        return std::nullopt;
    }
    return DayAndMillisecond{day, millisecond};
}

}  // namespace

std::optional<DayAndMinute> TimestampDayAndMinute(Timestamp when) {
    const auto split = SplitTimestamp(when);
    if (!split) {
        return std::nullopt;
    }
    return DayAndMinute{split->day, static_cast<int>(split->millisecond / 60000)};
}

std::optional<CalendarTime> DecodeTimestamp(Timestamp when) {
    const auto split = SplitTimestamp(when);
    if (!split) {
        return std::nullopt;
    }
    const std::int64_t day = split->day;
    const std::int64_t millisecond = split->millisecond;

    CalendarTime time;
    // Civil date from a day count (proleptic Gregorian), in 400-year eras from 0000-03-01.
    // Within the OLE range every quantity fits 32 bits, which keeps the divisions cheap.
    const auto z = static_cast<std::int32_t>(day - kUnixEpochDay + 719468);
    const std::int32_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto dayOfEra = static_cast<std::uint32_t>(z - era * 146097);
    const std::uint32_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::uint32_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::uint32_t monthIndex = (5 * dayOfYear + 2) / 153;  // 0 is March
    time.Day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    time.Month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    time.Year = static_cast<int>(yearOfEra) + era * 400 + (time.Month <= 2 ? 1 : 0);
    // 1899-12-30 was a Saturday.
    time.DayOfWeek = static_cast<int>(((day % 7) + 7 + 6) % 7);

    const auto ms = static_cast<std::int32_t>(millisecond);
    time.Hour = ms / 3600000;
    time.Minute = ms / 60000 % 60;
    time.Second = ms / 1000 % 60;
    time.Millisecond = ms % 1000;
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

void AppendDateText(const CalendarTime& time, std::u16string& out) {
    // Filled from the back in a fixed buffer and appended once: export formats thousands.
    char16_t text[10];
    char16_t* const end = text + 10;
    char16_t* p = PutDigits(time.Year, 4, end);
    *--p = u'/';
    p = PutDigits(time.Month, 2, p);
    *--p = u'/';
    p = PutDigits(time.Day, 2, p);
    out.append(p, end);
}

void AppendTimeOfDayText(const CalendarTime& time, std::u16string& out) {
    char16_t text[5];
    char16_t* const end = text + 5;
    char16_t* p = PutDigits(time.Minute, 2, end);
    *--p = u':';
    p = PutDigits(time.Hour, 2, p);
    out.append(p, end);
}

}  // namespace kestrine
