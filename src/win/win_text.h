#pragma once

#include <string>
#include <string_view>

// The Win32 boundary: core text is std::u16string, Win32 takes wchar_t (UTF-16 on Windows).
namespace kestrine {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide text is UTF-16");

inline const wchar_t* AsWide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// For NUL-terminated constants such as kLocalPipePath.
inline const wchar_t* AsWide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}

inline std::u16string FromWide(std::wstring_view text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

// The system's message text for an error code, with trailing characters of code 0-32 and
// full stops removed.
std::u16string SystemMessageText(unsigned long code);

}  // namespace kestrine
