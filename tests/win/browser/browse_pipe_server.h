#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "common/bytes.h"
#include "common/deflate.h"
#include "common/text.h"
#include "pipe/scripted_pipe_server.h"
#include "protocol/request_document.h"

// A search server for the browser tests, on the well-known local pipe: it answers each browse
// request from a table, for as many connections as the test makes, and records what it was
// asked. Header-only: the test program is built from its *_test.cpp files alone.
namespace kestrine::testing {

inline const wchar_t* const kLocalServerPipe = AsWide(kLocalPipePath);

// An answer body as the server sends it: the value stream compressed.
inline Bytes Compressed(const Bytes& stream) {
    return Deflate(stream);
}

// An error answer: the text in UTF-16LE.
inline Bytes ErrorAnswer(const std::u16string& text) {
    return TextToUtf16Le(text);
}

class BrowsePipeServer {
  public:
    using Key = std::pair<std::int32_t, std::int32_t>;  // host, folder

    BrowsePipeServer() {
        next_ = CreateInstance(true);
        if (next_ != INVALID_HANDLE_VALUE) {
            thread_ = std::thread([this] { Serve(); });
        }
    }
    ~BrowsePipeServer() {
        stopping_ = true;
        if (thread_.joinable()) {
            // A connection of our own wakes the thread waiting for the next client.
            const HANDLE wake = CreateFileW(kLocalServerPipe, GENERIC_READ | GENERIC_WRITE, 0,
                                            nullptr, OPEN_EXISTING, 0, nullptr);
            thread_.join();
            if (wake != INVALID_HANDLE_VALUE) {
                CloseHandle(wake);
            }
        }
    }
    BrowsePipeServer(const BrowsePipeServer&) = delete;
    BrowsePipeServer& operator=(const BrowsePipeServer&) = delete;

    bool Listening() const { return thread_.joinable(); }

    // The body sent for a request for host and folder (host -1: the host list).
    void Answer(std::int32_t host, std::int32_t folder, Bytes body) {
        const std::lock_guard lock(mutex_);
        answers_[Key{host, folder}] = std::move(body);
    }

    // Runs on the server's thread after each request is read and before it is answered, so
    // that a test can look at the client while it waits.
    void BeforeEachAnswer(std::function<void()> meanwhile) {
        const std::lock_guard lock(mutex_);
        meanwhile_ = std::move(meanwhile);
    }

    // The requests received, in order; a request the table does not know is {-2, -2}.
    std::vector<Key> Requests() const {
        const std::lock_guard lock(mutex_);
        return requests_;
    }

  private:
    static HANDLE CreateInstance(bool first) {
        return CreateNamedPipeW(kLocalServerPipe,
                                PIPE_ACCESS_DUPLEX | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0),
                                PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT,
                                PIPE_UNLIMITED_INSTANCES, 1 << 16, 1 << 16, 0, nullptr);
    }

    void Serve() {
        while (next_ != INVALID_HANDLE_VALUE) {
            const HANDLE pipe = next_;
            const bool connected =
                ConnectNamedPipe(pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED;
            // The next instance exists before this one closes, so a client that comes right
            // after finds it.
            next_ = stopping_ ? INVALID_HANDLE_VALUE : CreateInstance(false);
            if (connected && !stopping_) {
                ServerSide side(pipe);
                const Bytes body = AnswerFor(side.ReadRequest());
                std::function<void()> meanwhile;
                {
                    const std::lock_guard lock(mutex_);
                    meanwhile = meanwhile_;
                }
                if (meanwhile) {
                    meanwhile();
                }
                side.WriteLength(static_cast<std::uint32_t>(body.size()));
                side.Write(body);
            }
            DisconnectNamedPipe(pipe);
            CloseHandle(pipe);
        }
    }

    Bytes AnswerFor(const Bytes& request) {
        const std::lock_guard lock(mutex_);
        for (const auto& [key, body] : answers_) {
            if (request == BuildBrowseRequest(key.first, key.second)) {
                requests_.push_back(key);
                return body;
            }
        }
        requests_.push_back(Key{-2, -2});
        return ErrorAnswer(u"ERROR: no such folder");
    }

    mutable std::mutex mutex_;
    std::map<Key, Bytes> answers_;
    std::vector<Key> requests_;
    std::function<void()> meanwhile_;
    std::atomic<bool> stopping_ = false;
    HANDLE next_ = INVALID_HANDLE_VALUE;
    std::thread thread_;
};

}  // namespace kestrine::testing
