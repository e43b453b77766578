#pragma once

#include <string>
#include <string_view>

namespace kestrine {

// The path line of the browser page before any host is chosen.
inline constexpr std::u16string_view kInitialPathLine = u"PATH: \\\\";

// What the path line shows for a path: "PATH: " and the path.
std::u16string PathLineText(std::u16string_view path);

// The current path kept for shell operations: the path with one trailing "\" removed.
std::u16string CurrentPathOf(std::u16string_view path);

}  // namespace kestrine
