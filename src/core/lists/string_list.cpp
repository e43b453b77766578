#include "lists/string_list.h"

#include "common/failure.h"
#include "common/text.h"
#include "platform/text_compare.h"

namespace kestrine {
namespace {

constexpr char16_t kQuote = u'"';
constexpr char16_t kDelimiter = u',';

// Space and control characters. NUL counts as one of them too, so a stray NUL in stored
// text separates entries instead of stalling the reader, and an entry holding one is quoted.
bool IsBlank(char16_t c) {
    return c <= u' ';
}

bool NeedsQuotes(std::u16string_view entry) {
    for (char16_t c : entry) {
        if (c == kQuote || c == kDelimiter || IsBlank(c)) {
            return true;
        }
    }
    return false;
}

void AppendQuoted(std::u16string& out, std::u16string_view entry) {
    out += kQuote;
    for (char16_t c : entry) {
        if (c == kQuote) {
            out += kQuote;
        }
        out += c;
    }
    out += kQuote;
}

}  // namespace

StringList::StringList(std::initializer_list<std::u16string> entries) : entries_(entries) {}

void StringList::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit) {
        throw Failure(u"List index out of bounds (" + ToText(index) + u")");
    }
}

const std::u16string& StringList::At(int index) const {
    CheckIndex(index, Count());
    return entries_[static_cast<std::size_t>(index)];
}

void StringList::Set(int index, std::u16string text) {
    CheckIndex(index, Count());
    entries_[static_cast<std::size_t>(index)] = std::move(text);
}

void StringList::Add(std::u16string text) {
    entries_.push_back(std::move(text));
}

void StringList::Insert(int index, std::u16string text) {
    CheckIndex(index, Count() + 1);
    entries_.insert(entries_.begin() + index, std::move(text));
}

void StringList::Delete(int index) {
    CheckIndex(index, Count());
    entries_.erase(entries_.begin() + index);
}

std::u16string StringList::GetCommaText() const {
    // A lone empty entry needs a visible form; otherwise it would read back as no entry.
    if (entries_.size() == 1 && entries_.front().empty()) {
        return u"\"\"";
    }
    std::u16string out;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (i > 0) {
            out += kDelimiter;
        }
        if (NeedsQuotes(entries_[i])) {
            AppendQuoted(out, entries_[i]);
        } else {
            out += entries_[i];
        }
    }
    return out;
}

void StringList::SetCommaText(std::u16string_view text) {
    entries_.clear();
    std::size_t pos = 0;
    const std::size_t end = text.size();
    auto skipBlanks = [&] {
        while (pos < end && IsBlank(text[pos])) {
            ++pos;
        }
    };

    skipBlanks();
    while (pos < end) {
        std::u16string entry;
        if (text[pos] == kQuote) {
            // Runs to the next quote that is not doubled, or to the end of the text.
            ++pos;
            while (pos < end) {
                if (text[pos] == kQuote) {
                    if (pos + 1 < end && text[pos + 1] == kQuote) {
                        entry += kQuote;
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                entry += text[pos++];
            }
        } else {
            const std::size_t start = pos;
            while (pos < end && text[pos] != kDelimiter && !IsBlank(text[pos])) {
                ++pos;
            }
            entry.assign(text.substr(start, pos - start));
        }
        entries_.push_back(std::move(entry));

        skipBlanks();
        if (pos < end && text[pos] == kDelimiter) {
            if (pos + 1 == end) {
                entries_.emplace_back();
            }
            ++pos;
            skipBlanks();
        }
    }
}

std::u16string StringList::NameAt(int index) const {
    const std::u16string& entry = At(index);
    const std::size_t sign = entry.find(u'=');
    return sign == std::u16string::npos ? std::u16string() : entry.substr(0, sign);
}

std::u16string StringList::ValueAt(int index) const {
    const std::u16string& entry = At(index);
    const std::size_t sign = entry.find(u'=');
    return sign == std::u16string::npos ? std::u16string() : entry.substr(sign + 1);
}

int StringList::IndexOfName(std::u16string_view name) const {
    // An entry without "=" has an empty name, so an empty name finds it.
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const std::u16string_view entry = entries_[i];
        const std::size_t sign = entry.find(u'=');
        const std::u16string_view entryName =
            sign == std::u16string_view::npos ? std::u16string_view() : entry.substr(0, sign);
        if (SameTextIgnoringCase(entryName, name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::u16string StringList::Value(std::u16string_view name) const {
    const int index = IndexOfName(name);
    return index < 0 ? std::u16string() : ValueAt(index);
}

}  // namespace kestrine
