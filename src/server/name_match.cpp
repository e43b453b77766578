#include "name_match.h"

#include <algorithm>

namespace kestrine::server {
namespace {

char16_t FoldChar(char16_t c) {
    if (c < 0x80) {
        return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    }
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F)) {
        return static_cast<char16_t>(c + 32);
    }
    if (c >= 0x400 && c <= 0x40F) {
        return static_cast<char16_t>(c + 80);
    }
    // Latin Extended-A pairs upper and lower case as even/odd neighbours, except in the
    // stretches where the pairs start at an odd code point.
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
        c != 0x178 && c != 0x17F) {
        const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        const bool upper = oddPairs ? (c % 2 == 1) : (c % 2 == 0);
        return upper ? static_cast<char16_t>(c + 1) : c;
    }
    if (c == 0x178) {
        return 0xFF;
    }
    return c;
}

// Whole-name match with "*" and "?"; backtracks only to the last "*", so the time stays
// proportional to name length times pattern length.
bool WildcardMatch(std::u16string_view pattern, std::u16string_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = std::u16string_view::npos;
    std::size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = n;
        } else if (star != std::u16string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace

std::u16string FoldCase(std::u16string_view text) {
    std::u16string out(text);
    std::transform(out.begin(), out.end(), out.begin(), FoldChar);
    return out;
}

NamePattern::NamePattern(std::u16string_view query)
    : folded_(FoldCase(query)),
      wildcard_(query.find_first_of(u"*?") != std::u16string_view::npos) {}

bool NamePattern::Matches(std::u16string_view name) const {
    const std::u16string folded = FoldCase(name);
    if (wildcard_) {
        return WildcardMatch(folded_, folded);
    }
    return folded.find(folded_) != std::u16string::npos;
}

std::optional<ExtensionFilter> ExtensionFilter::Parse(std::u16string_view text) {
    ExtensionFilter filter;
    if (text.empty() || text == u"*") {
        return filter;
    }
    filter.any_ = false;
    std::size_t i = 0;
    while (true) {
        if (i >= text.size() || text[i] != u'\'') {
            return std::nullopt;
        }
        ++i;
        std::u16string extension;
        while (true) {
            if (i >= text.size()) {
                return std::nullopt;
            }
            if (text[i] == u'\'') {
                if (i + 1 < text.size() && text[i + 1] == u'\'') {
                    extension.push_back(u'\'');
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            extension.push_back(text[i++]);
        }
        filter.folded_.push_back(FoldCase(extension));
        if (i == text.size()) {
            return filter;
        }
        if (text[i] != u',') {
            return std::nullopt;
        }
        ++i;
    }
}

bool ExtensionFilter::Accepts(std::u16string_view fileName) const {
    if (any_) {
        return true;
    }
    const std::size_t dot = fileName.rfind(u'.');
    const std::u16string extension =
        dot == std::u16string_view::npos ? std::u16string() : FoldCase(fileName.substr(dot + 1));
    return std::find(folded_.begin(), folded_.end(), extension) != folded_.end();
}

}  // namespace kestrine::server
