#include "search/value_formatter.h"

#include "common/byte_size.h"
#include "common/timestamp.h"

namespace kestrine {

void PortableValueFormatter::AppendSize(std::int64_t bytes, std::u16string& out) const {
    AppendByteSize(bytes, out);
}

void PortableValueFormatter::AppendTimestamp(Timestamp when, std::u16string& out) const {
    AppendTimestampText(when, out);
}

}  // namespace kestrine
