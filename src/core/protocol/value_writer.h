#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "common/bytes.h"
#include "protocol/records.h"
#include "protocol/value_tag.h"

namespace kestrine {

// Builds a value stream, the inverse of ValueReader: the caller picks the tag of each value.
// Used by the reference server to answer and by tests and benchmarks to build answers.
class ValueWriter {
  public:
    ValueWriter& Int8(std::int8_t value);
    ValueWriter& Int16(std::int16_t value);
    ValueWriter& Int32(std::int32_t value);
    ValueWriter& Int64(std::int64_t value);
    ValueWriter& Date(Timestamp value);
    // ANSI strings take bytes already in the code page; a short string holds at most 255.
    ValueWriter& ShortString(std::span<const std::uint8_t> bytes);
    ValueWriter& ShortString(std::string_view bytes);
    ValueWriter& LongString(std::span<const std::uint8_t> bytes);
    ValueWriter& LongString(std::string_view bytes);
    ValueWriter& WideString(std::u16string_view text);
    ValueWriter& Utf8String(std::u16string_view text);
    ValueWriter& ListBegin();
    ValueWriter& ListEnd();
    // Raw pieces, for streams that are broken on purpose.
    ValueWriter& Tag(std::uint8_t tag);
    ValueWriter& Raw(std::span<const std::uint8_t> bytes);

    const Bytes& Data() const { return out_; }
    Bytes Take() { return std::move(out_); }

  private:
    void PutTag(ValueTag tag) { out_.push_back(static_cast<std::uint8_t>(tag)); }
    void PutLittleEndian(std::uint64_t value, int bytes);
    void PutBytes(std::span<const std::uint8_t> bytes);

    Bytes out_;
};

}  // namespace kestrine
