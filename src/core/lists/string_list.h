#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrine {

// An ordered list of text entries; duplicates and empty entries are allowed. It is stored as
// comma-text and, for name=value lists, looked up by name. Indexes are int like those of the
// Win32 controls the lists feed; -1 means "none".
class StringList {
  public:
    StringList() = default;
    StringList(std::initializer_list<std::u16string> entries);

    int Count() const { return static_cast<int>(entries_.size()); }
    bool Empty() const { return entries_.empty(); }
    const std::vector<std::u16string>& Entries() const { return entries_; }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

    // Index checks throw Failure: a bad index is a program fault, not a reason to crash.
    const std::u16string& At(int index) const;
    void Set(int index, std::u16string text);

    void Add(std::u16string text);
    void Insert(int index, std::u16string text);  // index may equal Count()
    void Delete(int index);
    void Clear() { entries_.clear(); }

    // The comma-text form: "," between entries, '"' quotes entries that need it.
    std::u16string GetCommaText() const;
    // Replaces the content with the entries of a comma-text.
    void SetCommaText(std::u16string_view text);

    // Name=value entries: the name is the text before the first "=", the value the text after
    // it. An entry without "=" has an empty name and an empty value.
    std::u16string NameAt(int index) const;
    std::u16string ValueAt(int index) const;
    // First entry holding "=" whose name equals name, ignoring letter case; -1 when none.
    int IndexOfName(std::u16string_view name) const;
    // The value of the entry IndexOfName finds, or empty text.
    std::u16string Value(std::u16string_view name) const;

    friend bool operator==(const StringList&, const StringList&) = default;

  private:
    void CheckIndex(int index, int limit) const;

    std::vector<std::u16string> entries_;
};

}  // namespace kestrine
