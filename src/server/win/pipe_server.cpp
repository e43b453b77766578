#include "pipe_server.h"

#include <windows.h>

#include <memory>
#include <thread>
#include <vector>

#include "protocol/framing.h"
#include "request_handler.h"
#include "base/unique_handle.h"

namespace kestrine::server {
namespace {

// Long enough for a slow client on a busy network, short enough that a silent one frees
// its instance soon.
constexpr DWORD kIoTimeoutMs = 30000;
constexpr DWORD kBufferSize = 64 * 1024;

// One pipe instance with its event for overlapped operations.
class Instance {
  public:
    Instance(UniqueKernelHandle pipe, UniqueKernelHandle event)
        : pipe_(std::move(pipe)), event_(std::move(event)) {}

    bool Connect() {
        OVERLAPPED overlapped{};
        overlapped.hEvent = event_.get();
        if (ConnectNamedPipe(pipe_.get(), &overlapped)) {
            return true;
        }
        const DWORD error = GetLastError();
        if (error == ERROR_PIPE_CONNECTED) {
            return true;
        }
        if (error != ERROR_IO_PENDING) {
            return false;
        }
        DWORD unused = 0;
        return GetOverlappedResult(pipe_.get(), &overlapped, &unused, TRUE) != FALSE;
    }

    // Reads exactly size bytes; false on a timeout, an error or the client going away.
    bool ReadExactly(std::uint8_t* data, std::size_t size) {
        while (size > 0) {
            DWORD got = 0;
            if (!Transfer(false, data, size, got) || got == 0) {
                return false;
            }
            data += got;
            size -= got;
        }
        return true;
    }

    bool WriteAll(const std::uint8_t* data, std::size_t size) {
        while (size > 0) {
            DWORD put = 0;
            if (!Transfer(true, const_cast<std::uint8_t*>(data), size, put) || put == 0) {
                return false;
            }
            data += put;
            size -= put;
        }
        return true;
    }

    // Waits (bounded) until the client has read everything and closed its end, so that
    // disconnecting does not throw away an answer still in the pipe.
    void AwaitClientClose() {
        std::uint8_t byte = 0;
        DWORD got = 0;
        while (Transfer(false, &byte, 1, got) && got > 0) {
        }
    }

    void Disconnect() { DisconnectNamedPipe(pipe_.get()); }

  private:
    bool Transfer(bool write, std::uint8_t* data, std::size_t size, DWORD& done) {
        done = 0;
        const DWORD chunk = static_cast<DWORD>(size < (1u << 20) ? size : (1u << 20));
        OVERLAPPED overlapped{};
        overlapped.hEvent = event_.get();
        const BOOL ok = write ? WriteFile(pipe_.get(), data, chunk, nullptr, &overlapped)
                              : ReadFile(pipe_.get(), data, chunk, nullptr, &overlapped);
        if (!ok && GetLastError() != ERROR_IO_PENDING) {
            return false;
        }
        if (WaitForSingleObject(event_.get(), kIoTimeoutMs) != WAIT_OBJECT_0) {
            CancelIo(pipe_.get());
            GetOverlappedResult(pipe_.get(), &overlapped, &done, TRUE);
            return false;
        }
        return GetOverlappedResult(pipe_.get(), &overlapped, &done, FALSE) != FALSE;
    }

    UniqueKernelHandle pipe_;
    UniqueKernelHandle event_;
};

void ServeOne(Instance& instance, const IndexSource& index, const LogLine& log) {
    LengthPrefix prefix{};
    if (!instance.ReadExactly(prefix.data(), prefix.size())) {
        return;
    }
    const std::uint32_t length = DecodeLength(prefix);
    HandledRequest handled;
    if (length > kMaxRequestBytes) {
        handled.command = "-";
        handled.failed = true;
        handled.reason = u"request too long";
        handled.answer = ErrorAnswer(handled.reason);
    } else {
        Bytes request(length);
        if (!instance.ReadExactly(request.data(), request.size())) {
            return;
        }
        handled = HandleRequest(*index(), request);
    }
    const LengthPrefix answerPrefix =
        EncodeLength(static_cast<std::uint32_t>(handled.answer.size()));
    if (instance.WriteAll(answerPrefix.data(), answerPrefix.size()) &&
        instance.WriteAll(handled.answer.data(), handled.answer.size())) {
        instance.AwaitClientClose();
    }
    log(handled.LogLine());
}

void Worker(std::unique_ptr<Instance> instance, IndexSource index, LogLine log) {
    while (true) {
        if (instance->Connect()) {
            try {
                ServeOne(*instance, index, log);
            } catch (const std::exception&) {
                log("- connection dropped: out of memory");
            }
        }
        instance->Disconnect();
    }
}

std::unique_ptr<Instance> CreateInstance(const std::wstring& path, int instances, bool first) {
    UniqueKernelHandle pipe(CreateNamedPipeW(
        path.c_str(),
        PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0),
        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, static_cast<DWORD>(instances), kBufferSize,
        kBufferSize, 0, nullptr));
    if (!pipe) {
        return nullptr;
    }
    // CreateEvent reports failure as null, not INVALID_HANDLE_VALUE.
    const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (event == nullptr) {
        return nullptr;
    }
    return std::make_unique<Instance>(std::move(pipe), UniqueKernelHandle(event));
}

}  // namespace

bool ServePipe(const std::wstring& path, int instances, const IndexSource& index,
               const LogLine& log) {
    std::vector<std::unique_ptr<Instance>> created;
    for (int i = 0; i < instances; ++i) {
        std::unique_ptr<Instance> instance = CreateInstance(path, instances, i == 0);
        if (!instance) {
            return false;
        }
        created.push_back(std::move(instance));
    }
    std::vector<std::thread> workers;
    for (std::unique_ptr<Instance>& instance : created) {
        workers.emplace_back(Worker, std::move(instance), index, log);
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    return true;
}

}  // namespace kestrine::server
