// The Windows variant of platform/ansi_code_page.h: the system's ANSI code page.
#include "common/windows_1252.h"
#include "platform/ansi_code_page.h"

#include <windows.h>

#include <limits>

namespace kestrine {

std::u16string DecodeAnsi(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return {};
    }
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return DecodeWindows1252(bytes);
    }
    const auto* source = reinterpret_cast<const char*>(bytes.data());
    const int sourceLength = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, source, sourceLength, nullptr, 0);
    if (length <= 0) {
        return DecodeWindows1252(bytes);
    }
    std::u16string out(static_cast<std::size_t>(length), u'\0');
    MultiByteToWideChar(CP_ACP, 0, source, sourceLength, reinterpret_cast<wchar_t*>(out.data()),
                        length);
    return out;
}

}  // namespace kestrine
