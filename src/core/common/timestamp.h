#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "protocol/records.h"

namespace kestrine {

// A timestamp taken apart into calendar fields, without any time-zone conversion.
struct CalendarTime {
    int Year = 0;
    int Month = 0;  // 1..12
    int Day = 0;    // 1..31
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
    int DayOfWeek = 0;  // 0 Sunday .. 6 Saturday
};

// Days since 1899-12-30, read the way OLE dates are: the whole part picks the day and the
// fraction, whatever the sign, is the time after midnight (-1.25 is 1899-12-29 06:00). The
// time is rounded to the millisecond. Not a number, infinities and anything outside the
// years 100 to 9999 (the OLE date range) give nullopt: the server's value is then unusable.
std::optional<CalendarTime> DecodeTimestamp(Timestamp when);

// The day DecodeTimestamp puts a timestamp in (days since 1899-12-30) and the minute of
// that day (0..1439): equal days mean equal dates, equal minutes equal hours and minutes.
// nullopt where DecodeTimestamp gives nullopt.
struct DayAndMinute {
    std::int64_t day = 0;
    int minute = 0;
};
std::optional<DayAndMinute> TimestampDayAndMinute(Timestamp when);

// The sort key of a timestamp: days * 86400000 rounded to an integer, so two timestamps in
// the same millisecond share a key. Not a number sorts before everything; values beyond the
// key's range are clamped to its ends.
std::int64_t TimestampMillisecondKey(Timestamp when);

// "dd/mm/yyyy" and "hh:nn", the stand-ins for the user's short date and time formats where
// the platform offers none (PortableValueFormatter).
void AppendDateText(const CalendarTime& time, std::u16string& out);
void AppendTimeOfDayText(const CalendarTime& time, std::u16string& out);

}  // namespace kestrine
