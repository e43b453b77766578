#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrine::server {

// Lower-cases the letters of the Latin, Greek and Cyrillic alphabets that have a simple
// one-to-one case pair, which covers the names found on file shares.
std::u16string FoldCase(std::u16string_view text);

// A search text, matched case-insensitively against names: a substring, or a whole-name
// pattern when it holds "*" (any run) or "?" (any one character).
class NamePattern {
  public:
    explicit NamePattern(std::u16string_view query);
    bool Matches(std::u16string_view name) const;

  private:
    std::u16string folded_;
    bool wildcard_ = false;
};

// The extension filter of a search: "*" or empty accepts every file; otherwise a list of
// single-quoted extensions ('zip','arj', a quote inside doubled). nullopt when the text is
// not such a list.
class ExtensionFilter {
  public:
    static std::optional<ExtensionFilter> Parse(std::u16string_view text);
    bool Accepts(std::u16string_view fileName) const;

  private:
    bool any_ = true;
    std::vector<std::u16string> folded_;
};

}  // namespace kestrine::server
