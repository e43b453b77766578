#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace kestrine {

// A modal prompt for one line of text: caption, prompt (may hold line breaks), an edit field
// holding initialText, OK and Cancel. Returns the entered text on OK, nothing on Cancel or
// when the dialog cannot be shown.
std::optional<std::u16string> ShowTextPrompt(HWND owner, std::u16string_view caption,
                                             std::u16string_view prompt,
                                             std::u16string_view initialText);

}  // namespace kestrine
