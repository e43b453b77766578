#pragma once

#include <string>
#include <string_view>

#include "protocol/records.h"

namespace kestrine {

// Network paths of the selected row, handed to the shell by the operations on it.

// Computer\Folder\FileName, or Computer\FileName when the folder is empty.
std::u16string SearchItemPath(const SearchHitView& item);
// Computer\Folder.
std::u16string SearchFolderPath(const SearchHitView& item);
// CurrentPath\Name.
std::u16string BrowserItemPath(std::u16string_view currentPath, const TFileBrowserItem& item);
// CurrentPath.
std::u16string BrowserFolderPath(std::u16string_view currentPath);

// Whether a path may go to the shell. The paths are built from the server's answers, and the
// shell runs whatever it is given: a relative path ("PC\x.exe" from a computer name without
// backslashes) or a local one would open a file on this computer. Only a UNC path passes:
// two backslashes, then a server name that is neither "." nor "?" (those prefixes name local
// devices and files), and no control characters (a NUL would cut the path short at the
// system call).
bool IsNetworkPath(std::u16string_view path);

}  // namespace kestrine
