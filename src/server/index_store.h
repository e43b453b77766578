#pragma once

#include <memory>
#include <mutex>
#include <utility>

#include "file_index.h"

namespace kestrine::server {

// The index the server answers from. A rescan replaces it as a whole; a request keeps the
// index it started with for as long as it needs it.
class IndexStore {
  public:
    explicit IndexStore(std::shared_ptr<const FileIndex> index) : index_(std::move(index)) {}

    std::shared_ptr<const FileIndex> Current() const {
        const std::lock_guard lock(mutex_);
        return index_;
    }
    void Replace(std::shared_ptr<const FileIndex> index) {
        const std::lock_guard lock(mutex_);
        index_ = std::move(index);
    }

  private:
    mutable std::mutex mutex_;
    std::shared_ptr<const FileIndex> index_;
};

}  // namespace kestrine::server
