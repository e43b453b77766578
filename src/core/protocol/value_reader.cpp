#include "protocol/value_reader.h"

#include <cstring>

#include "platform/ansi_code_page.h"
#include "common/failure.h"
#include "common/text.h"

namespace kestrine {
namespace {

bool IsAscii(std::span<const std::uint8_t> bytes) {
    // Eight bytes at a time: names are short, but this runs for every string of an answer.
    const std::uint8_t* p = bytes.data();
    const std::size_t n = bytes.size();
    std::uint64_t any = 0;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, p + i, 8);
        any |= word;
    }
    for (; i < n; ++i) {
        any |= p[i];
    }
    return (any & 0x8080808080808080ULL) == 0;
}

// Names are nearly always plain ASCII, which reads the same in every encoding the stream
// uses; widening it directly saves the general decoders' per-character work.
std::u16string WidenAscii(std::span<const std::uint8_t> bytes) {
    std::u16string text(bytes.size(), u'\0');
    const std::uint8_t* in = bytes.data();
    char16_t* out = text.data();
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        out[i] = in[i];
        out[i + 1] = in[i + 1];
        out[i + 2] = in[i + 2];
        out[i + 3] = in[i + 3];
    }
    for (; i < n; ++i) {
        out[i] = in[i];
    }
    return text;
}

}  // namespace

void ValueReader::FailInvalidValue() {
    throw Failure(u"Invalid property value");
}

void ValueReader::FailReadError() {
    throw Failure(u"Stream read error");
}

std::span<const std::uint8_t> ValueReader::TakeStringBytes(ValueTag tag) {
    switch (tag) {
        case ValueTag::ShortString:
            return Take(Take(1)[0]);
        case ValueTag::LongString:
        case ValueTag::Utf8String:
            return Take(ReadUint32());
        case ValueTag::WideString: {
            // Compare the count with what remains before doubling it: 0x80000000 units
            // must not wrap to a small byte count on 32-bit builds.
            const std::uint32_t units = ReadUint32();
            if (units > (data_.size() - position_) / 2) {
                FailReadError();
            }
            return Take(std::size_t{units} * 2);
        }
        default:
            FailInvalidValue();
    }
}

std::u16string ValueReader::ReadString() {
    const ValueTag tag = ReadTag();
    const auto bytes = TakeStringBytes(tag);
    if (tag == ValueTag::WideString) {
        return Utf16LeToText(bytes);
    }
    if (IsAscii(bytes)) {
        return WidenAscii(bytes);
    }
    if (tag == ValueTag::Utf8String) {
        return Utf8ToUtf16(
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    return DecodeAnsi(bytes);
}

void ValueReader::SkipString() {
    TakeStringBytes(ReadTag());
}

}  // namespace kestrine
