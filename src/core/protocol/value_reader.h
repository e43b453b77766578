#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "protocol/records.h"
#include "protocol/value_tag.h"

namespace kestrine {

// Reads the tagged values of an inflated answer, front to back. Every length in the stream
// is checked against the bytes that remain before anything is allocated. Failures:
// "Invalid property value" for a tag the operation does not accept, "Stream read error"
// when the data ends inside a value. The reader does not own the bytes.
class ValueReader {
  public:
    explicit ValueReader(std::span<const std::uint8_t> data) : data_(data) {}

    std::int32_t ReadInteger();   // int8, int16, int32, sign-extended
    std::int64_t ReadInt64();     // int64 or anything ReadInteger accepts
    Timestamp ReadDate();         // date or anything ReadInt64 accepts
    std::u16string ReadString();  // wide, UTF-8, short and long ANSI strings
    void SkipString();            // checks a string like ReadString without decoding it
    void ReadListBegin();
    bool EndOfList();  // true when the next tag is the end of a list; consumes nothing
    void ReadListEnd();

    std::size_t Position() const { return position_; }

  private:
    ValueTag ReadTag();
    ValueTag PeekTag() const;
    std::span<const std::uint8_t> Take(std::size_t count);
    std::span<const std::uint8_t> TakeStringBytes(ValueTag tag);
    std::uint32_t ReadUint32();
    std::int64_t ReadIntegerPayload(ValueTag tag);

    std::span<const std::uint8_t> data_;
    std::size_t position_ = 0;
};

}  // namespace kestrine
