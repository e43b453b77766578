#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "protocol/records.h"

namespace kestrine::server {

struct IndexedFile {
    std::u16string name;
    std::int64_t size = 0;
    Timestamp modified = 0;
    std::int32_t attributes = 0;
};

struct IndexedFolder {
    std::int32_t id = 0;
    std::int32_t hostId = 0;
    std::int32_t parentId = -1;  // -1 for a top-level folder (a share)
    std::u16string name;
    std::u16string path;  // below the computer, e.g. "share\docs"
    Timestamp modified = 0;
    std::vector<IndexedFile> files;
    std::vector<std::int32_t> subfolders;
};

struct IndexedHost {
    std::int32_t id = 0;
    std::u16string name;  // "\\NAME"
    Timestamp updated = 0;
    bool active = false;
    std::vector<std::int32_t> topFolders;
};

// What the server knows: hosts, each a tree of folders with their files, in the order they
// were added (which is the order searches page through). Folder ids are unique across all
// hosts; an index built with the previous one keeps the ids of folders that still exist,
// so a client's ids stay valid across a rescan.
class FileIndex {
  public:
    FileIndex() = default;
    explicit FileIndex(const FileIndex* previous);

    // name is the computer name without backslashes.
    std::int32_t AddHost(const std::u16string& name, Timestamp updated, bool active);
    // parentId -1 adds a top-level folder of the host.
    std::int32_t AddFolder(std::int32_t hostId, std::int32_t parentId, const std::u16string& name,
                           Timestamp modified);
    void AddFile(std::int32_t folderId, IndexedFile file);

    const std::vector<IndexedHost>& Hosts() const { return hosts_; }
    const IndexedHost* FindHost(std::int32_t id) const;
    const IndexedFolder* FindFolder(std::int32_t id) const;
    // "\\NAME\share\docs"
    std::u16string NetworkPath(const IndexedFolder& folder) const;
    std::size_t FileCount() const { return fileCount_; }

  private:
    IndexedFolder* MutableFolder(std::int32_t id);
    std::int32_t IdFor(const std::u16string& networkPath);

    std::vector<IndexedHost> hosts_;
    std::vector<IndexedFolder> folders_;
    std::unordered_map<std::int32_t, std::size_t> folderIndex_;
    std::unordered_map<std::u16string, std::int32_t> idsByPath_;
    std::unordered_map<std::u16string, std::int32_t> previousIds_;
    std::int32_t nextId_ = 1;
    std::size_t fileCount_ = 0;
};

}  // namespace kestrine::server
