#pragma once
// The stop flag an output thread sleeps on between periods: Raise wakes every wait at once, so closing a
// device never waits out a period.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace audiolib {

class StopSignal {
public:
    void Raise()
    {
        {
            std::lock_guard lock(mutex_);
            raised_ = true;
        }
        wake_.notify_all();
    }

    bool Raised() const { return raised_.load(); }

    // Sleeps until `when` unless raised meanwhile; true when it was raised.
    bool WaitUntil(std::chrono::steady_clock::time_point when)
    {
        std::unique_lock lock(mutex_);
        return wake_.wait_until(lock, when, [this] { return raised_.load(); });
    }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    std::atomic<bool> raised_{false};
};

} // namespace audiolib
