#include "win_text.h"

#include <windows.h>

namespace kestrine {

std::u16string SystemMessageText(unsigned long code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::u16string text;
    if (length != 0 && buffer != nullptr) {
        text = FromWide(std::wstring_view(buffer, length));
    }
    LocalFree(buffer);
    while (!text.empty() && (text.back() <= 32 || text.back() == u'.')) {
        text.pop_back();
    }
    return text;
}

}  // namespace kestrine
