#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace kestrine::server {

// The server's log: one line per request on standard error. Serving never waits for it: a
// line is queued and written by a thread of the sink's own, so a slow, full or broken
// standard error (a pipe nobody reads, NUL, or none at all for a program started without a
// console) costs log lines, never answers. When too many lines wait, new ones are dropped
// and counted; write failures are ignored.
class LogSink {
  public:
    static constexpr std::size_t kMaxQueuedLines = 1024;

    // output is not owned (normally the process's standard error); with no usable handle
    // every line is dropped.
    explicit LogSink(HANDLE output);
    // Writes what is queued and waits for the writer.
    ~LogSink();
    LogSink(const LogSink&) = delete;
    LogSink& operator=(const LogSink&) = delete;

    // Queues one line (without its line end); never blocks on the output.
    void Write(std::string line);

  private:
    void Run();

    const HANDLE output_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::string> lines_;
    std::size_t dropped_ = 0;
    bool stopping_ = false;
    std::thread writer_;  // last: started once everything it uses exists
};

}  // namespace kestrine::server
