#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Text inside the program is UTF-16 (std::u16string). Every conversion to and from other
// encodings lives here.
namespace kestrine {

// Invalid or truncated sequences become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);

// Surrogate pairs become four-byte sequences; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Appends one code point (up to U+10FFFF) as UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

// Little-endian UTF-16 bytes; an odd trailing byte is ignored.
std::u16string Utf16LeToText(std::span<const std::uint8_t> bytes);
// The other way: text as little-endian UTF-16 bytes (a server's error answer).
std::vector<std::uint8_t> TextToUtf16Le(std::u16string_view text);

// Widens 7-bit ASCII text (literals, numbers).
std::u16string FromAscii(std::string_view ascii);

// Removes leading and trailing characters with code 0 to 32 (control characters and space).
std::u16string Trim(std::u16string_view text);

// Upper-cases the ASCII letters a-z only, leaving every other character as it is.
std::u16string AsciiUpper(std::u16string_view text);

// Decimal text of a number, with a leading "-" when negative.
std::u16string ToText(std::int64_t value);

// Reads optional sign and decimal digits, nothing else; nullopt when not a 32-bit integer.
std::optional<std::int32_t> ParseInt32(std::u16string_view text);

}  // namespace kestrine
