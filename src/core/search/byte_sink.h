#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace kestrine {

// Where written bytes go: a file on Windows, memory in tests.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    // Writes all the bytes or throws Failure.
    virtual void Write(std::span<const std::uint8_t> bytes) = 0;
};

// Collects small pieces of output and hands them to a sink in large blocks. Flush must be
// called at the end: the destructor drops what is left, since it could not report a failure.
class BufferedByteWriter {
  public:
    explicit BufferedByteWriter(ByteSink& sink, std::size_t capacity = 64 * 1024);

    void Put(std::uint8_t byte) {
        if (used_ == buffer_.size()) {
            Drain();
        }
        buffer_[used_++] = byte;
    }
    void PutAscii(std::string_view ascii);
    // UTF-8 of UTF-16 text; a lone surrogate becomes U+FFFD.
    void PutUtf8(std::u16string_view text);
    void Flush();

  private:
    void Drain();
    void Reserve(std::size_t bytes);

    ByteSink& sink_;
    std::vector<std::uint8_t> buffer_;
    std::size_t used_ = 0;
};

}  // namespace kestrine
