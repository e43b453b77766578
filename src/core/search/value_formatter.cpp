#include "search/value_formatter.h"

#include "common/byte_size.h"

namespace kestrine {

void ValueFormatter::AppendTimestamp(Timestamp when, std::u16string& out) const {
    const auto fields = DecodeTimestamp(when);
    if (!fields) {
        return;
    }
    AppendDate(*fields, out);
    out.push_back(u' ');
    AppendTimeOfDay(*fields, out);
}

void PortableValueFormatter::AppendSize(std::int64_t bytes, std::u16string& out) const {
    AppendByteSize(bytes, out);
}

void PortableValueFormatter::AppendDate(const CalendarTime& when, std::u16string& out) const {
    AppendDateText(when, out);
}

void PortableValueFormatter::AppendTimeOfDay(const CalendarTime& when, std::u16string& out) const {
    AppendTimeOfDayText(when, out);
}

}  // namespace kestrine
