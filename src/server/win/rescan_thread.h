#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "index_store.h"
#include "server_options.h"

namespace kestrine::server {

// Reads the hosts' folders again at a fixed interval and puts each fresh index in the store.
// The thread belongs to this object: the destructor wakes it and waits for it (a scan in
// progress is finished first), and everything the thread touches is owned here or shared.
class RescanThread {
  public:
    RescanThread(std::shared_ptr<IndexStore> store, std::vector<HostOption> hosts,
                 std::chrono::seconds interval);
    ~RescanThread();
    RescanThread(const RescanThread&) = delete;
    RescanThread& operator=(const RescanThread&) = delete;

  private:
    void Run();

    const std::shared_ptr<IndexStore> store_;
    const std::vector<HostOption> hosts_;
    const std::chrono::seconds interval_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;  // last: started once everything it uses exists
};

}  // namespace kestrine::server
