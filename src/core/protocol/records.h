#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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

// A search hit as a result page holds it: the texts stay in the page, so a view is valid
// until the page is cleared or refilled. A TFileSearchItem converts to one.
struct SearchHitView {
    std::u16string_view Computer;
    std::u16string_view Folder;
    std::u16string_view FileName;
    std::int64_t Size = 0;
    Timestamp Modified = 0;
    std::int32_t Attributes = 0;

    SearchHitView() = default;
    SearchHitView(std::u16string_view computer, std::u16string_view folder,
                  std::u16string_view fileName, std::int64_t size, Timestamp modified,
                  std::int32_t attributes)
        : Computer(computer),
          Folder(folder),
          FileName(fileName),
          Size(size),
          Modified(modified),
          Attributes(attributes) {}
    // Implicit: everything that takes a view also takes an owned hit.
    SearchHitView(const TFileSearchItem& item)  // NOLINT(google-explicit-constructor)
        : SearchHitView(item.Computer, item.Folder, item.FileName, item.Size, item.Modified,
                        item.Attributes) {}

    TFileSearchItem ToItem() const {
        return TFileSearchItem{std::u16string(Computer),
                               std::u16string(Folder),
                               std::u16string(FileName),
                               Size,
                               Modified,
                               Attributes};
    }
};

// One entry of a folder listing.
struct TFileBrowserItem {
    bool IsFolder = false;
    std::int32_t Id = 0;  // meaningful for folders
    std::u16string Name;
    std::int64_t Size = 0;  // meaningful for files
};

}  // namespace kestrine
