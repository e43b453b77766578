#pragma once

#include <cstdint>
#include <string>

namespace kestrine {

// Short size text in the manner of the Windows shell's StrFormatByteSizeW, for platforms
// without it: "N bytes" below 1024, otherwise three significant digits with the unit KB,
// MB, GB, TB, PB or EB (binary multiples), the digits beyond the third cut off rather than
// rounded: 1340 -> "1.30 KB", 23506 -> "22.9 KB", 2400016 -> "2.28 MB". A value of 1000
// units or more moves to the next unit, so 1023 KB reads "0.99 MB". Negative counts, which
// only a faulty server sends, read "N bytes". The decimal point is always ".".
std::u16string FormatByteSize(std::int64_t bytes);

// The same text appended to out, for callers that format many rows into one buffer.
void AppendByteSize(std::int64_t bytes, std::u16string& out);

}  // namespace kestrine
