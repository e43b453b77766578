#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/records.h"
#include "search/value_formatter.h"

namespace kestrine {

// Columns of the result list, left to right.
enum class ResultColumn { FileName = 0, Folder, Computer, Size, Modified };
inline constexpr int kResultColumnCount = 5;

// A hit whose attributes are exactly 16 is a plain folder: no size and no date are shown.
inline constexpr std::int32_t kPlainFolderAttributes = 16;
inline constexpr std::u16string_view kNoValueText = u"---";

// The computer as shown: without its first two characters when they are "\\".
std::u16string_view ComputerDisplayName(std::u16string_view computer);

// Appends the text the result list shows in one column of a row. A column index outside
// 0..4 appends nothing.
void AppendResultCellText(const SearchHitView& item, int column, const ValueFormatter& formatter,
                          std::u16string& out);

}  // namespace kestrine
