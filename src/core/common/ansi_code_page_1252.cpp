#include "common/ansi_code_page.h"

namespace kestrine {

std::u16string DecodeAnsi(std::span<const std::uint8_t> bytes) {
    return DecodeWindows1252(bytes);
}

}  // namespace kestrine
