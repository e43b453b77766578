// Comma-text must read back exactly what was written: the settings store keeps lists in it.
#include "common/text.h"
#include "lists/string_list.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

// Splits the input on U+FFFF into the entries of a list, so every entry content (quotes,
// commas, blanks, NUL, surrogates) is tried.
kestrine::StringList EntriesOf(std::u16string_view text) {
    kestrine::StringList list;
    std::size_t start = 0;
    for (;;) {
        const std::size_t split = text.find(u'\uFFFF', start);
        list.Add(std::u16string(text.substr(start, split - start)));
        if (split == std::u16string_view::npos) {
            return list;
        }
        start = split + 1;
    }
}

void Expect(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = kestrine::Utf16LeToText(std::span<const std::uint8_t>(data, size));

    // Any text: what it reads as survives a write and a second read.
    kestrine::StringList read;
    read.SetCommaText(text);
    kestrine::StringList again;
    again.SetCommaText(read.GetCommaText());
    Expect(again == read);

    // Any entries: written and read back unchanged.
    const kestrine::StringList entries = EntriesOf(text);
    kestrine::StringList back;
    back.SetCommaText(entries.GetCommaText());
    Expect(back == entries);
    return 0;
}
