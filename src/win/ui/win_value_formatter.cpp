#include "ui/win_value_formatter.h"

#include <windows.h>
#include <shlwapi.h>

namespace kestrine {
namespace {

void AppendWide(const wchar_t* text, int lengthWithNul, std::u16string& out) {
    if (lengthWithNul > 1) {
        out.append(reinterpret_cast<const char16_t*>(text),
                   static_cast<std::size_t>(lengthWithNul - 1));
    }
}

SYSTEMTIME SystemTimeOf(const CalendarTime& fields) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(fields.Year);
    time.wMonth = static_cast<WORD>(fields.Month);
    time.wDay = static_cast<WORD>(fields.Day);
    time.wDayOfWeek = static_cast<WORD>(fields.DayOfWeek);
    time.wHour = static_cast<WORD>(fields.Hour);
    time.wMinute = static_cast<WORD>(fields.Minute);
    time.wSecond = static_cast<WORD>(fields.Second);
    time.wMilliseconds = static_cast<WORD>(fields.Millisecond);
    return time;
}

}  // namespace

void WinValueFormatter::AppendSize(std::int64_t bytes, std::u16string& out) const {
    wchar_t text[64] = {};
    if (StrFormatByteSizeW(bytes, text, static_cast<UINT>(std::size(text))) != nullptr) {
        out.append(reinterpret_cast<const char16_t*>(text));
    }
}

void WinValueFormatter::AppendDate(const CalendarTime& when, std::u16string& out) const {
    const SYSTEMTIME time = SystemTimeOf(when);
    wchar_t text[128] = {};
    AppendWide(text,
               GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text,
                              static_cast<int>(std::size(text))),
               out);
}

void WinValueFormatter::AppendTimeOfDay(const CalendarTime& when, std::u16string& out) const {
    const SYSTEMTIME time = SystemTimeOf(when);
    wchar_t text[128] = {};
    AppendWide(text,
               GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, text,
                              static_cast<int>(std::size(text))),
               out);
}

}  // namespace kestrine
