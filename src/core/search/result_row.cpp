#include "search/result_row.h"

namespace kestrine {

std::u16string_view ComputerDisplayName(std::u16string_view computer) {
    if (computer.starts_with(u"\\\\")) {
        computer.remove_prefix(2);
    }
    return computer;
}

void AppendResultCellText(const SearchHitView& item, int column, const ValueFormatter& formatter,
                          std::u16string& out) {
    const bool plainFolder = item.Attributes == kPlainFolderAttributes;
    switch (static_cast<ResultColumn>(column)) {
        case ResultColumn::FileName:
            out.append(item.FileName);
            break;
        case ResultColumn::Folder:
            out.append(item.Folder);
            break;
        case ResultColumn::Computer:
            out.append(ComputerDisplayName(item.Computer));
            break;
        case ResultColumn::Size:
            if (plainFolder) {
                out.append(kNoValueText);
            } else {
                formatter.AppendSize(item.Size, out);
            }
            break;
        case ResultColumn::Modified:
            if (plainFolder) {
                out.append(kNoValueText);
            } else {
                formatter.AppendTimestamp(item.Modified, out);
            }
            break;
    }
}

}  // namespace kestrine
