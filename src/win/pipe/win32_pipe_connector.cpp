#include "pipe/win32_pipe_connector.h"

#include <windows.h>

#include <algorithm>

#include "win_text.h"

namespace kestrine {

// Keeps the code of the call that failed: later calls (CloseHandle among them) may
// overwrite the thread's last error before the exchange reports it.
bool Win32PipeConnector::Failed() {
    lastError_ = GetLastError();
    return false;
}

bool Win32PipeConnector::Wait(const std::u16string& path, std::uint32_t timeoutMs) {
    return WaitNamedPipeW(AsWide(path), timeoutMs) != FALSE || Failed();
}

bool Win32PipeConnector::Open(const std::u16string& path) {
    Close();
    // Identification level only: the server may learn who asks, never act as the user.
    pipe_.reset(CreateFileW(AsWide(path), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION,
                            nullptr));
    return static_cast<bool>(pipe_) || Failed();
}

bool Win32PipeConnector::SetByteMode() {
    DWORD mode = 0;  // PIPE_READMODE_BYTE | PIPE_WAIT
    return SetNamedPipeHandleState(pipe_.get(), &mode, nullptr, nullptr) != FALSE || Failed();
}

bool Win32PipeConnector::Write(std::span<const std::uint8_t> data) {
    while (!data.empty()) {
        const DWORD size = static_cast<DWORD>(std::min<std::size_t>(data.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(pipe_.get(), data.data(), size, &written, nullptr)) {
            return Failed();
        }
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return Failed();
        }
        data = data.subspan(written);
    }
    return true;
}

bool Win32PipeConnector::Read(std::span<std::uint8_t> buffer, std::size_t& bytesRead) {
    bytesRead = 0;
    const DWORD size = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), 1u << 30));
    DWORD got = 0;
    if (!ReadFile(pipe_.get(), buffer.data(), size, &got, nullptr)) {
        return Failed();
    }
    bytesRead = got;
    return true;
}

void Win32PipeConnector::Close() {
    pipe_.reset();
}

std::uint32_t Win32PipeConnector::LastError() const {
    return lastError_;
}

void Win32PipeConnector::ClearLastError() {
    lastError_ = 0;
}

std::u16string Win32PipeConnector::SystemMessage(std::uint32_t code) const {
    return SystemMessageText(code);
}

}  // namespace kestrine
