#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "protocol/records.h"
#include "protocol/value_tag.h"

namespace kestrine {

// Reads the tagged values of an inflated answer, front to back. Every length in the stream
// is checked against the bytes that remain before anything is allocated. Failures:
// "Invalid property value" for a tag the operation does not accept, "Stream read error"
// when the data ends inside a value. The reader does not own the bytes.
//
// The numeric reads are inline: an answer holds millions of them.
class ValueReader {
  public:
    explicit ValueReader(std::span<const std::uint8_t> data) : data_(data) {}

    // int8, int16, int32, sign-extended.
    std::int32_t ReadInteger() {
        const ValueTag tag = ReadTag();
        if (!IsIntegerTag(tag)) {
            FailInvalidValue();
        }
        return static_cast<std::int32_t>(ReadIntegerPayload(tag));
    }

    // int64 or anything ReadInteger accepts.
    std::int64_t ReadInt64() {
        const ValueTag tag = ReadTag();
        if (tag != ValueTag::Int64 && !IsIntegerTag(tag)) {
            FailInvalidValue();
        }
        return ReadIntegerPayload(tag);
    }

    // date or anything ReadInt64 accepts.
    Timestamp ReadDate() {
        const ValueTag tag = ReadTag();
        if (tag == ValueTag::Date) {
            const std::uint64_t bits = LittleEndian(Take(8));
            double value;
            static_assert(sizeof(value) == sizeof(bits));
            std::memcpy(&value, &bits, sizeof(value));
            return value;
        }
        if (tag != ValueTag::Int64 && !IsIntegerTag(tag)) {
            FailInvalidValue();
        }
        return static_cast<Timestamp>(ReadIntegerPayload(tag));
    }

    std::u16string ReadString();  // wide, UTF-8, short and long ANSI strings
    void SkipString();            // checks a string like ReadString without decoding it

    void ReadListBegin() {
        if (ReadTag() != ValueTag::ListBegin) {
            FailInvalidValue();
        }
    }

    // True when the next tag is the end of a list; consumes nothing.
    bool EndOfList() const { return PeekTag() == ValueTag::EndOfList; }

    void ReadListEnd() {
        if (ReadTag() != ValueTag::EndOfList) {
            FailInvalidValue();
        }
    }

    std::size_t Position() const { return position_; }

  private:
    [[noreturn]] static void FailInvalidValue();
    [[noreturn]] static void FailReadError();

    static bool IsIntegerTag(ValueTag tag) {
        return tag == ValueTag::Int8 || tag == ValueTag::Int16 || tag == ValueTag::Int32;
    }

    static std::uint64_t LittleEndian(std::span<const std::uint8_t> bytes) {
        std::uint64_t value = 0;
        for (std::size_t i = bytes.size(); i > 0; --i) {
            value = (value << 8) | bytes[i - 1];
        }
        return value;
    }

    ValueTag PeekTag() const {
        if (position_ >= data_.size()) {
            FailReadError();
        }
        return static_cast<ValueTag>(data_[position_]);
    }

    ValueTag ReadTag() {
        const ValueTag tag = PeekTag();
        ++position_;
        return tag;
    }

    std::span<const std::uint8_t> Take(std::size_t count) {
        if (count > data_.size() - position_) {
            FailReadError();
        }
        const auto bytes = data_.subspan(position_, count);
        position_ += count;
        return bytes;
    }

    std::uint32_t ReadUint32() { return static_cast<std::uint32_t>(LittleEndian(Take(4))); }

    std::int64_t ReadIntegerPayload(ValueTag tag) {
        switch (tag) {
            case ValueTag::Int8:
                return static_cast<std::int8_t>(Take(1)[0]);
            case ValueTag::Int16:
                return static_cast<std::int16_t>(LittleEndian(Take(2)));
            case ValueTag::Int32:
                return static_cast<std::int32_t>(LittleEndian(Take(4)));
            case ValueTag::Int64:
                return static_cast<std::int64_t>(LittleEndian(Take(8)));
            default:
                FailInvalidValue();
        }
    }

    std::span<const std::uint8_t> TakeStringBytes(ValueTag tag);

    std::span<const std::uint8_t> data_;
    std::size_t position_ = 0;
};

}  // namespace kestrine
