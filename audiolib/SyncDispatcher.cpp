#include "audiolib/SyncDispatcher.h"

#include <chrono>

namespace audiolib {

namespace {
constexpr size_t QueueReserve = 256; // syncs are rare: the queue does not grow while mixing
constexpr auto HeardPoll = std::chrono::milliseconds(1);
} // namespace

SyncDispatcher::SyncDispatcher(DeliverFn deliver, HeardFn heard)
    : deliver_(std::move(deliver)), heard_(std::move(heard))
{
    queue_.reserve(QueueReserve);
    thread_ = std::thread([this] { Run(); });
}

SyncDispatcher::~SyncDispatcher()
{
    Stop();
}

void SyncDispatcher::Push(const std::vector<SyncEvent>& events)
{
    {
        std::lock_guard lock(mutex_);
        queue_.insert(queue_.end(), events.begin(), events.end());
    }
    wake_.notify_one();
}

void SyncDispatcher::Stop()
{
    if (!thread_.joinable())
        return;
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        queue_.clear();
    }
    wake_.notify_one();
    thread_.join();
}

void SyncDispatcher::Run()
{
    std::vector<SyncEvent> batch;
    batch.reserve(QueueReserve);
    std::unique_lock lock(mutex_);
    while (!stop_) {
        wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
        batch.swap(queue_);
        lock.unlock();
        for (const SyncEvent& event : batch) {
            while (!stop_ && heard_() < event.frame)
                std::this_thread::sleep_for(HeardPoll);
            if (stop_)
                break;
            deliver_(event);
        }
        batch.clear();
        lock.lock();
    }
}

} // namespace audiolib
