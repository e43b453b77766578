#pragma once

#include <cstdint>
#include <string>

#include "common/timestamp.h"
#include "protocol/records.h"

namespace kestrine {

// Turns sizes and timestamps into display text. On Windows the shell's StrFormatByteSizeW and
// the user's short date and time formats ("ddddd t") serve; the portable formatter stands in
// elsewhere and in tests. Both append to out so that many rows can share one buffer.
// A timestamp's text is its date, a space and its time of day (no seconds are shown): the
// date depends on the day alone and the time on the hour and minute alone, so the export
// formats each day and each minute of the day once.
class ValueFormatter {
  public:
    virtual ~ValueFormatter() = default;
    virtual void AppendSize(std::int64_t bytes, std::u16string& out) const = 0;
    virtual void AppendDate(const CalendarTime& when, std::u16string& out) const = 0;
    virtual void AppendTimeOfDay(const CalendarTime& when, std::u16string& out) const = 0;

    // Nothing for a timestamp the server sent unusable.
    void AppendTimestamp(Timestamp when, std::u16string& out) const;
};

// FormatByteSize and "dd/mm/yyyy hh:nn".
class PortableValueFormatter final : public ValueFormatter {
  public:
    void AppendSize(std::int64_t bytes, std::u16string& out) const override;
    void AppendDate(const CalendarTime& when, std::u16string& out) const override;
    void AppendTimeOfDay(const CalendarTime& when, std::u16string& out) const override;
};

}  // namespace kestrine
