#pragma once

#include <span>
#include <string>

namespace kestrine {

// The cells joined by tabs, each cell's own tabs and line breaks turned into spaces, so that
// a name from the server cannot split the line where a spreadsheet or an editor would.
std::u16string TabSeparatedLine(std::span<const std::u16string> cells);

}  // namespace kestrine
