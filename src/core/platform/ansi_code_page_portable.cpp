// Without a system code page to ask, short and long strings are read as Windows-1252, the
// code page of the servers we meet.
#include "common/windows_1252.h"
#include "platform/ansi_code_page.h"

namespace kestrine {

std::u16string DecodeAnsi(std::span<const std::uint8_t> bytes) {
    return DecodeWindows1252(bytes);
}

}  // namespace kestrine
