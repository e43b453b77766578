#pragma once

#include "base/unique_handle.h"
#include "exchange/pipe_connector.h"

namespace kestrine {

// The client end of the search server's named pipe through the Win32 file API.
class Win32PipeConnector : public PipeConnector {
  public:
    Win32PipeConnector() = default;
    ~Win32PipeConnector() override = default;
    Win32PipeConnector(const Win32PipeConnector&) = delete;
    Win32PipeConnector& operator=(const Win32PipeConnector&) = delete;

    bool Wait(const std::u16string& path, std::uint32_t timeoutMs) override;
    bool Open(const std::u16string& path) override;
    bool SetByteMode() override;
    bool Write(std::span<const std::uint8_t> data) override;
    bool Read(std::span<std::uint8_t> buffer, std::size_t& bytesRead) override;
    void Close() override;
    std::uint32_t LastError() const override;
    void ClearLastError() override;
    std::u16string SystemMessage(std::uint32_t code) const override;

  private:
    bool Failed();

    UniqueKernelHandle pipe_;  // empty when no connection is open
    std::uint32_t lastError_ = 0;
};

}  // namespace kestrine
