#include "rescan_thread.h"

#include "folder_scanner.h"

namespace kestrine::server {

RescanThread::RescanThread(std::shared_ptr<IndexStore> store, std::vector<HostOption> hosts,
                           std::chrono::seconds interval)
    : store_(std::move(store)),
      hosts_(std::move(hosts)),
      interval_(interval),
      thread_([this] { Run(); }) {}

RescanThread::~RescanThread() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void RescanThread::Run() {
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, interval_, [this] { return stopping_; })) {
        lock.unlock();
        const std::shared_ptr<const FileIndex> previous = store_->Current();
        store_->Replace(ScanHosts(hosts_, previous.get()));
        lock.lock();
    }
}

}  // namespace kestrine::server
