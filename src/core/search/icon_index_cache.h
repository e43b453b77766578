#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kestrine {

// The extension the shell sees in a name: from the last "." of its last component, unless a
// space or a backslash follows that dot; empty when there is none.
std::u16string_view ShellExtension(std::u16string_view name);

// Remembers system icon indexes so that painting a row does not ask the shell each time.
// The shell is asked with SHGFI_USEFILEATTRIBUTES: it then reads no file and answers from the
// attributes and the name's extension alone, so even .exe, .ico and .lnk names, whose icons
// differ per file when the file is read, all get their type's icon. The key is therefore the
// full attribute value together with the extension, its ASCII letters lower-cased (extension
// lookups ignore case); other letters are kept as they are, so two keys are only merged when
// the shell treats them alike. A failed lookup (-1) is not remembered and is asked again.
class IconIndexCache {
  public:
    using Lookup = std::function<int(std::u16string_view name, std::uint32_t attributes)>;

    explicit IconIndexCache(Lookup lookup);

    int IndexFor(std::u16string_view name, std::uint32_t attributes);
    // After the system's file associations change.
    void Clear() { indexes_.clear(); }
    std::size_t Size() const { return indexes_.size(); }

  private:
    Lookup lookup_;
    std::u16string key_;  // reused, so that looking up a short extension allocates nothing
    std::unordered_map<std::u16string, int> indexes_;
};

}  // namespace kestrine
