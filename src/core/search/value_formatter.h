#pragma once

#include <cstdint>
#include <string>

#include "protocol/records.h"

namespace kestrine {

// Turns sizes and timestamps into display text. On Windows the shell's StrFormatByteSizeW and
// the user's short date and time formats ("ddddd t") serve; the portable formatter stands in
// elsewhere and in tests. Both append to out so that many rows can share one buffer.
// A timestamp's text depends on its minute alone (no seconds are shown): the export formats
// each minute once.
class ValueFormatter {
  public:
    virtual ~ValueFormatter() = default;
    virtual void AppendSize(std::int64_t bytes, std::u16string& out) const = 0;
    virtual void AppendTimestamp(Timestamp when, std::u16string& out) const = 0;
};

// FormatByteSize and "dd/mm/yyyy hh:nn".
class PortableValueFormatter final : public ValueFormatter {
  public:
    void AppendSize(std::int64_t bytes, std::u16string& out) const override;
    void AppendTimestamp(Timestamp when, std::u16string& out) const override;
};

}  // namespace kestrine
