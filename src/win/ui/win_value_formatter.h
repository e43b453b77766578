#pragma once

#include "search/value_formatter.h"

namespace kestrine {

// Sizes as the shell writes them (StrFormatByteSizeW) and timestamps in the user's short date
// and time formats ("ddddd t"), read from the thread's locale at each call.
class WinValueFormatter final : public ValueFormatter {
  public:
    void AppendSize(std::int64_t bytes, std::u16string& out) const override;
    void AppendDate(const CalendarTime& when, std::u16string& out) const override;
    void AppendTimeOfDay(const CalendarTime& when, std::u16string& out) const override;
};

}  // namespace kestrine
