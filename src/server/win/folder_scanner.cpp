#include "folder_scanner.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "base/unique_handle.h"
#include "filetime.h"
#include "name_match.h"
#include "win_text.h"

namespace kestrine::server {
namespace {

struct Entry {
    std::u16string name;
    std::u16string sortKey;
    WIN32_FIND_DATAW data;
};

Timestamp LocalDays(const FILETIME& utc) {
    FILETIME local{};
    if (!FileTimeToLocalFileTime(&utc, &local)) {
        local = utc;
    }
    return FileTimeToDays(static_cast<std::uint64_t>(local.dwHighDateTime) << 32 |
                          local.dwLowDateTime);
}

Timestamp Now() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return LocalDays(now);
}

// The entries of one folder sorted by name, so that paging sees the same order on every
// scan; false when the folder cannot be listed.
bool ListFolder(const std::u16string& folder, std::vector<Entry>& entries) {
    entries.clear();
    WIN32_FIND_DATAW data{};
    const std::u16string pattern = folder + u"\\*";
    const UniqueFindHandle find(FindFirstFileExW(AsWide(pattern), FindExInfoBasic, &data,
                                                 FindExSearchNameMatch, nullptr, 0));
    if (!find) {
        return false;
    }
    do {
        const std::u16string name = FromWide(data.cFileName);
        if (name == u"." || name == u"..") {
            continue;
        }
        // Links could lead out of the tree or round in a circle.
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            continue;
        }
        entries.push_back({name, FoldCase(name), data});
    } while (FindNextFileW(find.get(), &data));
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.sortKey != b.sortKey ? a.sortKey < b.sortKey : a.name < b.name;
    });
    return true;
}

bool IsFolder(const Entry& entry) {
    return (entry.data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void ScanHost(FileIndex& index, const HostOption& option) {
    std::vector<Entry> entries;
    const bool readable = ListFolder(option.folder, entries);
    const std::int32_t hostId = index.AddHost(option.name, Now(), readable);

    struct Pending {
        std::int32_t id;
        std::u16string path;
    };
    std::vector<Pending> pending;
    for (const Entry& entry : entries) {
        if (IsFolder(entry)) {
            const std::int32_t id =
                index.AddFolder(hostId, -1, entry.name, LocalDays(entry.data.ftLastWriteTime));
            pending.push_back({id, option.folder + u"\\" + entry.name});
        }
    }
    while (!pending.empty()) {
        const Pending folder = std::move(pending.back());
        pending.pop_back();
        if (!ListFolder(folder.path, entries)) {
            continue;
        }
        for (const Entry& entry : entries) {
            if (IsFolder(entry)) {
                const std::int32_t id = index.AddFolder(hostId, folder.id, entry.name,
                                                        LocalDays(entry.data.ftLastWriteTime));
                pending.push_back({id, folder.path + u"\\" + entry.name});
            } else {
                IndexedFile file;
                file.name = entry.name;
                file.size = static_cast<std::int64_t>(
                    static_cast<std::uint64_t>(entry.data.nFileSizeHigh) << 32 |
                    entry.data.nFileSizeLow);
                file.modified = LocalDays(entry.data.ftLastWriteTime);
                file.attributes = static_cast<std::int32_t>(entry.data.dwFileAttributes);
                index.AddFile(folder.id, std::move(file));
            }
        }
    }
}

}  // namespace

std::shared_ptr<const FileIndex> ScanHosts(const std::vector<HostOption>& hosts,
                                           const FileIndex* previous) {
    auto index = std::make_shared<FileIndex>(previous);
    for (const HostOption& host : hosts) {
        ScanHost(*index, host);
    }
    return index;
}

}  // namespace kestrine::server
