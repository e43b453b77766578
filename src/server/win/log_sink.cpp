#include "log_sink.h"

#include <utility>

namespace kestrine::server {
namespace {

// A closed or never-given standard handle is null or invalid, or names nothing.
bool Usable(HANDLE output) {
    if (output == nullptr || output == INVALID_HANDLE_VALUE) {
        return false;
    }
    SetLastError(NO_ERROR);
    return GetFileType(output) != FILE_TYPE_UNKNOWN || GetLastError() == NO_ERROR;
}

// WriteFile, not the C runtime: its stream functions hold a lock per stream and treat a
// character device as a console, and a failed write here must not leave anything behind.
void WriteAll(HANDLE output, const std::string& text) {
    const char* data = text.data();
    std::size_t size = text.size();
    while (size > 0) {
        DWORD written = 0;
        if (!WriteFile(output, data, static_cast<DWORD>(size), &written, nullptr) || written == 0) {
            return;
        }
        data += written;
        size -= written;
    }
}

}  // namespace

LogSink::LogSink(HANDLE output) : output_(Usable(output) ? output : nullptr) {
    if (output_ != nullptr) {
        writer_ = std::thread([this] { Run(); });
    }
}

LogSink::~LogSink() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    ready_.notify_all();
    if (writer_.joinable()) {
        writer_.join();
    }
}

void LogSink::Write(std::string line) {
    {
        const std::lock_guard lock(mutex_);
        if (output_ == nullptr) {
            return;
        }
        if (lines_.size() >= kMaxQueuedLines) {
            ++dropped_;
            return;
        }
        if (dropped_ > 0) {
            lines_.push_back("- " + std::to_string(dropped_) + " log lines dropped");
            dropped_ = 0;
        }
        lines_.push_back(std::move(line));
    }
    ready_.notify_one();
}

void LogSink::Run() {
    std::unique_lock lock(mutex_);
    while (true) {
        ready_.wait(lock, [this] { return stopping_ || !lines_.empty(); });
        if (lines_.empty()) {
            return;  // stopping, and everything is written
        }
        std::string text;
        while (!lines_.empty()) {
            text += lines_.front();
            text += '\n';
            lines_.pop_front();
        }
        lock.unlock();
        WriteAll(output_, text);
        lock.lock();
    }
}

}  // namespace kestrine::server
