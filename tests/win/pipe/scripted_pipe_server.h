#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "common/bytes.h"
#include "protocol/framing.h"
#include "win_text.h"

namespace kestrine::testing {

// The server end of one accepted connection, for a scripted behaviour.
class ServerSide {
  public:
    explicit ServerSide(HANDLE pipe) : pipe_(pipe) {}

    // Reads a length-prefixed request; empty when the client sent nothing readable.
    Bytes ReadRequest() {
        const Bytes prefix = ReadExactly(kLengthPrefixSize);
        if (prefix.size() != kLengthPrefixSize) {
            return {};
        }
        return ReadExactly(DecodeLength(
            std::span<const std::uint8_t, kLengthPrefixSize>(prefix.data(), kLengthPrefixSize)));
    }
    void WriteLength(std::uint32_t length) {
        const LengthPrefix prefix = EncodeLength(length);
        Write(prefix.data(), prefix.size());
    }
    bool Write(const Bytes& bytes) { return Write(bytes.data(), bytes.size()); }
    // Returns once the client has read the bytes; false when it has gone away.
    bool Write(const std::uint8_t* data, std::size_t size) {
        DWORD written = 0;
        return WriteFile(pipe_, data, static_cast<DWORD>(size), &written, nullptr) &&
               FlushFileBuffers(pipe_);
    }

  private:
    Bytes ReadExactly(std::size_t count) {
        Bytes bytes(count);
        std::size_t have = 0;
        while (have < count) {
            DWORD got = 0;
            if (!ReadFile(pipe_, bytes.data() + have, static_cast<DWORD>(count - have), &got,
                          nullptr) ||
                got == 0) {
                bytes.resize(have);
                return bytes;
            }
            have += got;
        }
        return bytes;
    }

    HANDLE pipe_;
};

// Serves one scripted behaviour per connection, in order, on a thread of the test program.
// The next pipe instance exists before the current one closes, so a client moving on to its
// next server entry finds it. The destructor waits for the thread.
class ScriptedPipeServer {
  public:
    using Behaviour = std::function<void(ServerSide&)>;

    ScriptedPipeServer(std::wstring path, std::vector<Behaviour> behaviours)
        : path_(std::move(path)), behaviours_(std::move(behaviours)) {
        next_ = CreateInstance(true);
        thread_ = std::thread([this] { Serve(); });
    }
    ~ScriptedPipeServer() {
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    ScriptedPipeServer(const ScriptedPipeServer&) = delete;
    ScriptedPipeServer& operator=(const ScriptedPipeServer&) = delete;

    bool Listening() const { return next_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE CreateInstance(bool first) {
        return CreateNamedPipeW(path_.c_str(),
                                PIPE_ACCESS_DUPLEX | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0),
                                PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT,
                                PIPE_UNLIMITED_INSTANCES, 1 << 16, 1 << 16, 0, nullptr);
    }

    void Serve() {
        for (std::size_t i = 0; i < behaviours_.size() && next_ != INVALID_HANDLE_VALUE; ++i) {
            const HANDLE pipe = next_;
            const BOOL connected =
                ConnectNamedPipe(pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED;
            next_ = i + 1 < behaviours_.size() ? CreateInstance(false) : INVALID_HANDLE_VALUE;
            if (connected) {
                ServerSide side(pipe);
                behaviours_[i](side);
            }
            DisconnectNamedPipe(pipe);
            CloseHandle(pipe);
        }
    }

    std::wstring path_;
    std::vector<Behaviour> behaviours_;
    HANDLE next_ = INVALID_HANDLE_VALUE;
    std::thread thread_;
};

}  // namespace kestrine::testing
