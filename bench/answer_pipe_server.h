#pragma once

// The search server's pipe, served on threads of the measuring program: every connection gets
// one prepared answer whatever it asked, so that only the client's side of an exchange costs
// anything worth measuring. With it, the bytes of an answer read from the client's end with
// nothing else done to them: the floor a client's exchange is compared to.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "base/unique_handle.h"
#include "common/bytes.h"
#include "protocol/framing.h"
#include "win_text.h"

namespace kestrine {

inline bool ReadExactly(HANDLE pipe, std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        DWORD got = 0;
        if (!ReadFile(pipe, data, static_cast<DWORD>(size), &got, nullptr) || got == 0) {
            return false;
        }
        data += got;
        size -= got;
    }
    return true;
}

inline bool ReadLength(HANDLE pipe, std::uint32_t& length) {
    LengthPrefix prefix{};
    if (!ReadExactly(pipe, prefix.data(), prefix.size())) {
        return false;
    }
    length = DecodeLength(prefix);
    return true;
}

inline void WriteFramed(HANDLE pipe, std::span<const std::uint8_t> bytes) {
    const LengthPrefix prefix = EncodeLength(static_cast<std::uint32_t>(bytes.size()));
    DWORD written = 0;
    WriteFile(pipe, prefix.data(), static_cast<DWORD>(prefix.size()), &written, nullptr);
    WriteFile(pipe, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// Its threads block in the pipe for as long as the program runs and use this object, so a
// program that has one ends with std::_Exit rather than by destroying it.
class AnswerPipeServer {
  public:
    // Several instances let a client connect again at once, as with the real server; answered
    // runs on a serving thread after each answer was read. Ends the program when the pipe's
    // name is taken: another server is running.
    AnswerPipeServer(int instances, const Bytes* answer, std::function<void()> answered = nullptr)
        : answer_(answer), answered_(std::move(answered)) {
        for (int i = 0; i < instances; ++i) {
            auto instance = std::make_unique<Instance>();
            instance->server = this;
            instance->pipe.reset(
                CreateNamedPipeW(AsWide(kLocalPipePath),
                                 PIPE_ACCESS_DUPLEX | (i == 0 ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0),
                                 PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT,
                                 static_cast<DWORD>(instances), 1 << 16, 1 << 16, 0, nullptr));
            if (!instance->pipe) {
                std::fprintf(stderr, "cannot create the pipe (is a server running?)\n");
                std::exit(1);
            }
            instances_.push_back(std::move(instance));
        }
        // Listening only once every instance exists: a client never finds the name half made.
        for (const auto& instance : instances_) {
            instance->thread.reset(CreateThread(nullptr, 0, &Serve, instance.get(), 0, nullptr));
            if (instance->thread.get() == nullptr) {
                std::fprintf(stderr, "cannot start a serving thread\n");
                std::exit(1);
            }
        }
    }
    AnswerPipeServer(const AnswerPipeServer&) = delete;
    AnswerPipeServer& operator=(const AnswerPipeServer&) = delete;

    // The answer of the connections from now on; it must outlive the program's use of it.
    void SetAnswer(const Bytes* answer) { answer_ = answer; }

    // The processor time the serving threads have taken, user and kernel, in seconds: the
    // server's share of a process that is also the client.
    double ProcessorSeconds() const {
        double seconds = 0;
        for (const auto& instance : instances_) {
            FILETIME created{}, exited{}, kernel{}, user{};
            if (GetThreadTimes(instance->thread.get(), &created, &exited, &kernel, &user)) {
                seconds += Seconds(kernel) + Seconds(user);
            }
        }
        return seconds;
    }

    static double Seconds(const FILETIME& time) {
        return static_cast<double>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime) /
               1e7;
    }

  private:
    struct Instance {
        AnswerPipeServer* server = nullptr;
        UniqueKernelHandle pipe;  // never closed while the thread runs: it runs to the end
        UniqueKernelHandle thread;
    };

    static DWORD WINAPI Serve(void* parameter) {
        const Instance& instance = *static_cast<const Instance*>(parameter);
        const HANDLE pipe = instance.pipe.get();
        while (true) {
            if (ConnectNamedPipe(pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED) {
                std::uint32_t length = 0;
                if (ReadLength(pipe, length)) {
                    Bytes request(length);
                    ReadExactly(pipe, request.data(), request.size());
                    WriteFramed(pipe, *instance.server->answer_.load());
                    // Returns once the client has read it all.
                    FlushFileBuffers(pipe);
                    if (instance.server->answered_) {
                        instance.server->answered_();
                    }
                }
            }
            DisconnectNamedPipe(pipe);
        }
    }

    std::vector<std::unique_ptr<Instance>> instances_;
    std::atomic<const Bytes*> answer_{nullptr};
    std::function<void()> answered_;
};

// The client's end with nothing of the client: open the pipe, send the request, read the
// length and the body into buffer, which keeps its room for the next call. Returns the
// answer's size, 0 when the pipe could not be opened.
inline std::size_t ReadAnswerAlone(const Bytes& request, Bytes& buffer) {
    WaitNamedPipeW(AsWide(kLocalPipePath), 120000);
    const UniqueKernelHandle pipe(CreateFileW(AsWide(kLocalPipePath), GENERIC_READ | GENERIC_WRITE,
                                              0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                              nullptr));
    if (!pipe) {
        return 0;
    }
    WriteFramed(pipe.get(), request);
    std::uint32_t size = 0;
    if (!ReadLength(pipe.get(), size)) {
        return 0;
    }
    if (buffer.size() < size) {
        buffer.resize(size);
    }
    ReadExactly(pipe.get(), buffer.data(), size);
    return size;
}

}  // namespace kestrine
