#pragma once
// A real-time device's sync thread: delivers the syncs the mixer found due, in sample-time order,
// once the listener has heard their frame.
#include "audiolib/SyncEvent.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace audiolib {

class SyncDispatcher {
public:
    using DeliverFn = std::function<void(const SyncEvent&)>;
    using HeardFn = std::function<int64_t()>;

    SyncDispatcher(DeliverFn deliver, HeardFn heard);
    ~SyncDispatcher();
    SyncDispatcher(const SyncDispatcher&) = delete;
    SyncDispatcher& operator=(const SyncDispatcher&) = delete;

    // Called by the mixer; the events of one call share one frame boundary and are in order.
    void Push(const std::vector<SyncEvent>& events);
    // Drops what is pending and returns when no procedure runs any more.
    void Stop();

private:
    void Run();

    DeliverFn deliver_;
    HeardFn heard_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<SyncEvent> queue_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace audiolib
