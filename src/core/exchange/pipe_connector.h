#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace kestrine {

// The client end of one named-pipe connection, as the exchange needs it. The Win32
// implementation wraps the pipe handle; tests script a fake. One connection at a time:
// Open after Close starts a new one.
class PipeConnector {
  public:
    virtual ~PipeConnector() = default;

    // Waits until an instance of the pipe is free; false when none became free in time.
    virtual bool Wait(const std::u16string& path, std::uint32_t timeoutMs) = 0;
    // Opens the client end; false when it could not be opened.
    virtual bool Open(const std::u16string& path) = 0;
    // Switches the open connection to blocking byte reads.
    virtual bool SetByteMode() = 0;
    // Writes all of data.
    virtual bool Write(std::span<const std::uint8_t> data) = 0;
    // Reads at most buffer.size() bytes; bytesRead is how many arrived. A read that
    // succeeds with zero bytes is possible and means nothing more will come.
    virtual bool Read(std::span<std::uint8_t> buffer, std::size_t& bytesRead) = 0;
    // Closes the connection; harmless when none is open.
    virtual void Close() = 0;
    // The error code of the last failed operation (0 when the system gave none).
    virtual std::uint32_t LastError() const = 0;
    // Forgets that code, as if no operation had failed yet.
    virtual void ClearLastError() = 0;
    // The system's text for an error code, trailing blanks and full stops removed.
    virtual std::u16string SystemMessage(std::uint32_t code) const = 0;
};

}  // namespace kestrine
