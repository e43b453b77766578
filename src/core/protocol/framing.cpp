#include "protocol/framing.h"

namespace kestrine {

std::u16string PipePathFor(std::u16string_view serverName) {
    std::u16string path = u"\\\\";
    path += serverName;
    path += u"\\pipe\\vellmora_kestrine_server";
    return path;
}

LengthPrefix EncodeLength(std::uint32_t length) {
    return {static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
            static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 24)};
}

std::uint32_t DecodeLength(std::span<const std::uint8_t, kLengthPrefixSize> prefix) {
    return static_cast<std::uint32_t>(prefix[0]) | static_cast<std::uint32_t>(prefix[1]) << 8 |
           static_cast<std::uint32_t>(prefix[2]) << 16 |
           static_cast<std::uint32_t>(prefix[3]) << 24;
}

bool IsErrorAnswer(std::span<const std::uint8_t> answer) {
    static constexpr std::u16string_view kMarker = u"ERROR:";
    if (answer.size() < 2 * kMarker.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kMarker.size(); ++i) {
        const auto unit = static_cast<char16_t>(answer[2 * i] | answer[2 * i + 1] << 8);
        if (unit != kMarker[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace kestrine
