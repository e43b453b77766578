#pragma once

#include <cstdint>

namespace kestrine {

// The one-byte tag in front of every value of an answer's value stream.
enum class ValueTag : std::uint8_t {
    EndOfList = 0,
    ListBegin = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    ShortString = 6,  // 1-byte length, ANSI code page
    LongString = 12,  // 4-byte length, ANSI code page
    Date = 17,        // 8-byte double, days since 1899-12-30
    WideString = 18,  // 4-byte count of UTF-16 code units, UTF-16LE
    Int64 = 19,
    Utf8String = 20,  // 4-byte byte count, UTF-8
};

}  // namespace kestrine
