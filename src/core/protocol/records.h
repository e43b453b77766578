#pragma once

#include <cstdint>
#include <string>

namespace kestrine {

// Timestamps are days since 1899-12-30 00:00, the fraction being the time of day, shown
// without any time-zone conversion.
using Timestamp = double;

// One computer of the server's host list.
struct HostRecord {
    std::int32_t Id = 0;
    std::u16string Name;
    Timestamp Updated = 0;
    std::int32_t Active = 0;  // 0 inactive, anything else active
};

// One search hit.
struct TFileSearchItem {
    std::u16string Computer;  // network name, usually "\\NAME"
    std::u16string Folder;    // below the computer, without trailing backslash
    std::u16string FileName;
    std::int64_t Size = 0;
    Timestamp Modified = 0;
    std::int32_t Attributes = 0;  // file-attribute bits; exactly 16 marks a plain folder
};

// One entry of a folder listing.
struct TFileBrowserItem {
    bool IsFolder = false;
    std::int32_t Id = 0;  // meaningful for folders
    std::u16string Name;
    std::int64_t Size = 0;  // meaningful for files
};

}  // namespace kestrine
