#include "file_index.h"

#include <algorithm>

#include "common/failure.h"
#include "common/text.h"

namespace kestrine::server {

FileIndex::FileIndex(const FileIndex* previous) {
    if (previous != nullptr) {
        previousIds_ = previous->idsByPath_;
        for (const auto& [path, id] : previousIds_) {
            nextId_ = std::max(nextId_, id + 1);
        }
        nextId_ = std::max(nextId_, previous->nextId_);
    }
}

std::int32_t FileIndex::AddHost(const std::u16string& name, Timestamp updated, bool active) {
    IndexedHost host;
    host.id = static_cast<std::int32_t>(hosts_.size()) + 1;
    host.name = u"\\\\" + name;
    host.updated = updated;
    host.active = active;
    hosts_.push_back(std::move(host));
    return hosts_.back().id;
}

std::int32_t FileIndex::AddFolder(std::int32_t hostId, std::int32_t parentId,
                                  const std::u16string& name, Timestamp modified) {
    if (hostId < 1 || static_cast<std::size_t>(hostId) > hosts_.size()) {
        throw Failure(u"no such host");
    }
    IndexedFolder folder;
    folder.hostId = hostId;
    folder.parentId = parentId;
    folder.name = name;
    folder.modified = modified;
    if (parentId == -1) {
        folder.path = name;
    } else {
        const IndexedFolder* parent = FindFolder(parentId);
        if (parent == nullptr || parent->hostId != hostId) {
            throw Failure(u"no such folder");
        }
        folder.path = parent->path + u"\\" + name;
    }
    folder.id = IdFor(AsciiUpper(hosts_[hostId - 1].name + u"\\" + folder.path));
    const std::int32_t id = folder.id;
    folderIndex_[id] = folders_.size();
    folders_.push_back(std::move(folder));
    if (parentId == -1) {
        hosts_[hostId - 1].topFolders.push_back(id);
    } else {
        MutableFolder(parentId)->subfolders.push_back(id);
    }
    return id;
}

void FileIndex::AddFile(std::int32_t folderId, IndexedFile file) {
    IndexedFolder* folder = MutableFolder(folderId);
    if (folder == nullptr) {
        throw Failure(u"no such folder");
    }
    folder->files.push_back(std::move(file));
    ++fileCount_;
}

const IndexedHost* FileIndex::FindHost(std::int32_t id) const {
    if (id < 1 || static_cast<std::size_t>(id) > hosts_.size()) {
        return nullptr;
    }
    return &hosts_[id - 1];
}

const IndexedFolder* FileIndex::FindFolder(std::int32_t id) const {
    const auto found = folderIndex_.find(id);
    return found == folderIndex_.end() ? nullptr : &folders_[found->second];
}

IndexedFolder* FileIndex::MutableFolder(std::int32_t id) {
    const auto found = folderIndex_.find(id);
    return found == folderIndex_.end() ? nullptr : &folders_[found->second];
}

std::u16string FileIndex::NetworkPath(const IndexedFolder& folder) const {
    return hosts_[folder.hostId - 1].name + u"\\" + folder.path;
}

// Names differing only in ASCII case are one folder on Windows; a second folder with the
// same path (two --host entries naming one computer) gets an id of its own.
std::int32_t FileIndex::IdFor(const std::u16string& networkPath) {
    std::int32_t id = 0;
    const auto previous = previousIds_.find(networkPath);
    if (previous != previousIds_.end() && !folderIndex_.contains(previous->second)) {
        id = previous->second;
    } else {
        id = nextId_++;
    }
    idsByPath_.emplace(networkPath, id);
    return id;
}

}  // namespace kestrine::server
