#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
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

// Writes the UTF-8 of text at out and returns its end; with doubleQuotes every '"' is
// written twice. Needs room for 3 bytes per code unit. A lone surrogate becomes U+FFFD.
std::uint8_t* EncodeUtf8(std::u16string_view text, bool doubleQuotes, std::uint8_t* out);

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
    void PutBytes(std::string_view bytes) {
        if (buffer_.size() - used_ < bytes.size()) {
            PutLongBytes(bytes);
            return;
        }
        std::memcpy(buffer_.data() + used_, bytes.data(), bytes.size());
        used_ += bytes.size();
    }
    // UTF-8 of UTF-16 text; a lone surrogate becomes U+FFFD.
    void PutUtf8(std::u16string_view text) { PutText<false>(text); }
    // The same with every double quote written twice, as inside a quoted CSV field.
    void PutUtf8DoublingQuotes(std::u16string_view text) { PutText<true>(text); }
    void Flush() { Drain(); }

    // Direct writing for callers that know an upper bound of what they write: Claim returns
    // room for at least bytes (at most Capacity()), Commit takes the end of what was written.
    std::size_t Capacity() const { return buffer_.size(); }
    std::uint8_t* Claim(std::size_t bytes) {
        if (buffer_.size() - used_ < bytes) {
            Drain();
        }
        return buffer_.data() + used_;
    }
    void Commit(const std::uint8_t* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }

  private:
    template <bool kDoubleQuotes>
    void PutText(std::u16string_view text);
    void Drain();
    void PutLongBytes(std::string_view bytes);

    ByteSink& sink_;
    std::vector<std::uint8_t> buffer_;
    std::size_t used_ = 0;
};

}  // namespace kestrine
