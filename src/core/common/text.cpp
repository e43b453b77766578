#include "common/text.h"

#include <limits>

#include "common/utf8_decode.h"

namespace kestrine {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

bool IsSpaceOrControl(char16_t c) {
    return c <= 32;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::size_t DecodeUtf8Into(std::string_view utf8, char16_t* const start) {
    char16_t* out = start;
    std::size_t i = 0;
    const std::size_t n = utf8.size();
    while (i < n) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            *out++ = lead;
            ++i;
            continue;
        }
        int length = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2, cp = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, cp = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, cp = lead & 0x07, minimum = 0x10000;
        } else {
            *out++ = kReplacement;
            ++i;
            continue;
        }
        int taken = 1;
        while (taken < length && i + taken < n &&
               (static_cast<unsigned char>(utf8[i + taken]) & 0xC0) == 0x80) {
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + taken]) & 0x3F);
            ++taken;
        }
        if (taken < length || cp < minimum || cp > 0x10FFFF) {
            *out++ = kReplacement;
        } else if (cp < 0x10000) {
            // Surrogate code points encoded on their own stay as they are: the server and
            // our request documents write UTF-16 halves that way.
            *out++ = static_cast<char16_t>(cp);
        } else {
            // Four bytes in, two units out.
            cp -= 0x10000;
            *out++ = static_cast<char16_t>(0xD800 + (cp >> 10));
            *out++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        }
        i += taken;
    }
    return static_cast<std::size_t>(out - start);
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out(utf8.size(), u'\0');
    out.resize(DecodeUtf8Into(utf8, out.data()));
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            const char32_t cp = 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
                                (static_cast<char32_t>(text[i + 1]) - 0xDC00);
            AppendUtf8(out, cp);
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

std::u16string Utf16LeToText(std::span<const std::uint8_t> bytes) {
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        out.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    return out;
}

std::vector<std::uint8_t> TextToUtf16Le(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

std::u16string FromAscii(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

std::u16string Trim(std::u16string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsSpaceOrControl(text[first])) {
        ++first;
    }
    while (last > first && IsSpaceOrControl(text[last - 1])) {
        --last;
    }
    return std::u16string(text.substr(first, last - first));
}

std::u16string AsciiUpper(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
    }
    return out;
}

std::u16string ToText(std::int64_t value) {
    return FromAscii(std::to_string(value));
}

std::optional<std::int32_t> ParseInt32(std::u16string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - u'0');
        if (value > static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1) {
            return std::nullopt;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace kestrine
