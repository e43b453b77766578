#include "protocol/value_writer.h"

#include <cstring>
#include <limits>

#include "common/failure.h"
#include "common/text.h"

namespace kestrine {
namespace {

std::span<const std::uint8_t> AsBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::uint32_t CheckedLength(std::size_t size) {
    if (size > std::numeric_limits<std::uint32_t>::max()) {
        throw Failure(u"String too long for the value stream");
    }
    return static_cast<std::uint32_t>(size);
}

}  // namespace

void ValueWriter::PutLittleEndian(std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void ValueWriter::PutBytes(std::span<const std::uint8_t> bytes) {
    out_.insert(out_.end(), bytes.begin(), bytes.end());
}

ValueWriter& ValueWriter::Int8(std::int8_t value) {
    PutTag(ValueTag::Int8);
    PutLittleEndian(static_cast<std::uint8_t>(value), 1);
    return *this;
}

ValueWriter& ValueWriter::Int16(std::int16_t value) {
    PutTag(ValueTag::Int16);
    PutLittleEndian(static_cast<std::uint16_t>(value), 2);
    return *this;
}

ValueWriter& ValueWriter::Int32(std::int32_t value) {
    PutTag(ValueTag::Int32);
    PutLittleEndian(static_cast<std::uint32_t>(value), 4);
    return *this;
}

ValueWriter& ValueWriter::Int64(std::int64_t value) {
    PutTag(ValueTag::Int64);
    PutLittleEndian(static_cast<std::uint64_t>(value), 8);
    return *this;
}

ValueWriter& ValueWriter::Date(Timestamp value) {
    std::uint64_t bits;
    static_assert(sizeof(bits) == sizeof(value));
    std::memcpy(&bits, &value, sizeof(bits));
    PutTag(ValueTag::Date);
    PutLittleEndian(bits, 8);
    return *this;
}

ValueWriter& ValueWriter::ShortString(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > 255) {
        throw Failure(u"String too long for a short string");
    }
    PutTag(ValueTag::ShortString);
    PutLittleEndian(bytes.size(), 1);
    PutBytes(bytes);
    return *this;
}

ValueWriter& ValueWriter::ShortString(std::string_view bytes) {
    return ShortString(AsBytes(bytes));
}

ValueWriter& ValueWriter::LongString(std::span<const std::uint8_t> bytes) {
    const std::uint32_t length = CheckedLength(bytes.size());
    PutTag(ValueTag::LongString);
    PutLittleEndian(length, 4);
    PutBytes(bytes);
    return *this;
}

ValueWriter& ValueWriter::LongString(std::string_view bytes) {
    return LongString(AsBytes(bytes));
}

ValueWriter& ValueWriter::WideString(std::u16string_view text) {
    const std::uint32_t units = CheckedLength(text.size());
    PutTag(ValueTag::WideString);
    PutLittleEndian(units, 4);
    for (char16_t c : text) {
        PutLittleEndian(c, 2);
    }
    return *this;
}

ValueWriter& ValueWriter::Utf8String(std::u16string_view text) {
    const std::string utf8 = Utf16ToUtf8(text);
    const std::uint32_t length = CheckedLength(utf8.size());
    PutTag(ValueTag::Utf8String);
    PutLittleEndian(length, 4);
    PutBytes(AsBytes(utf8));
    return *this;
}

ValueWriter& ValueWriter::ListBegin() {
    PutTag(ValueTag::ListBegin);
    return *this;
}

ValueWriter& ValueWriter::ListEnd() {
    PutTag(ValueTag::EndOfList);
    return *this;
}

ValueWriter& ValueWriter::Tag(std::uint8_t tag) {
    out_.push_back(tag);
    return *this;
}

ValueWriter& ValueWriter::Raw(std::span<const std::uint8_t> bytes) {
    PutBytes(bytes);
    return *this;
}

}  // namespace kestrine
