#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

#include "base/unique_handle.h"
#include "search/byte_sink.h"

namespace kestrine {

// A file created (or truncated) for writing, as the sink of a buffered writer. Failures
// carry the system's message text. What was written stays when a later write fails.
class FileByteSink final : public ByteSink {
  public:
    // Throws Failure when the file cannot be created.
    explicit FileByteSink(const std::u16string& path);
    ~FileByteSink() override = default;
    FileByteSink(const FileByteSink&) = delete;
    FileByteSink& operator=(const FileByteSink&) = delete;

    void Write(std::span<const std::uint8_t> bytes) override;
    // Closes the file, reporting a failure to close as a Failure.
    void Close();

  private:
    UniqueKernelHandle file_;
};

// The user's list separator: the first character of the locale's list separator, or ","
// when the locale has none.
std::u16string UserListSeparator();

}  // namespace kestrine
