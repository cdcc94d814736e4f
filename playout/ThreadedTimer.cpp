#include "playout/ThreadedTimer.h"

#include <QMetaObject>
#include <QPointer>

#include <chrono>

TTimerThread::TTimerThread(QObject& owner) : owner_(owner)
{
    thread_ = std::thread([this] { Execute(); });
    // The id is known before anyone can ask for a priority.
    std::unique_lock lock(lock_);
    changed_.wait(lock, [this] { return id_ != 0; });
}

TTimerThread::~TTimerThread()
{
    {
        const std::lock_guard lock(lock_);
        terminate_ = true;
        // A tick still on its way to the owner is never waited for: the owner may be the one joining.
        tickPending_ = false;
        Wake();
    }
    thread_.join();
}

uint32_t TTimerThread::Interval() const
{
    const std::lock_guard lock(lock_);
    return interval_;
}

void TTimerThread::SetInterval(uint32_t ms)
{
    const std::lock_guard lock(lock_);
    interval_ = ms;
    Wake();
}

void TTimerThread::Run()
{
    const std::lock_guard lock(lock_);
    running_ = true;
    Wake();
}

void TTimerThread::Park()
{
    const std::lock_guard lock(lock_);
    running_ = false;
    Wake();
}

void TTimerThread::TickDone()
{
    const std::lock_guard lock(lock_);
    tickPending_ = false;
    changed_.notify_all();
}

void TTimerThread::Wake()
{
    wake_ = true;
    changed_.notify_all();
}

void TTimerThread::Execute()
{
    std::unique_lock lock(lock_);
    id_ = platform::CurrentThreadId();
    changed_.notify_all();
    const auto wokenOrEnding = [this] { return wake_ || terminate_; };
    while (!terminate_) {
        const bool woken = running_
                               ? changed_.wait_for(lock, std::chrono::milliseconds(interval_), wokenOrEnding)
                               : (changed_.wait(lock, wokenOrEnding), true);
        if (woken) {
            wake_ = false;
            continue;
        }
        tickPending_ = true;
        lock.unlock();
        // Queued by name: nothing of ours is made on this thread for the GUI thread to read, so the
        // hand-over is the toolkit's alone, and the race detector, which cannot see the toolkit's
        // own locks, has nothing to report on.
        QMetaObject::invokeMethod(&owner_, "Tick", Qt::QueuedConnection);
        lock.lock();
        changed_.wait(lock, [this] { return !tickPending_ || terminate_; });
    }
}

TThreadedTimer::TThreadedTimer(QObject* parent) : QObject(parent) {}

TThreadedTimer::~TThreadedTimer()
{
    destroying_ = true;
    enabled_ = false;
    // worker_ ends with its destruction, before QObject's drops the tick it may have queued.
}

void TThreadedTimer::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (!enabled)
        worker_.Park();
    else if (worker_.Interval() > 0 || allowZero_)
        worker_.Run();
}

void TThreadedTimer::SetInterval(uint32_t ms)
{
    if (ms == worker_.Interval())
        return;
    const bool wasEnabled = enabled_;
    SetEnabled(false);
    worker_.SetInterval(ms);
    SetEnabled(wasEnabled);
}

void TThreadedTimer::SetThreadPriority(platform::ThreadPriority priority)
{
    priority_ = priority;
    platform::SetThreadPriority(worker_.Id(), priority);
}

void TThreadedTimer::Tick()
{
    const QPointer<TThreadedTimer> alive(this);
    if (enabled_ && OnTimer && !destroying_) {
        // A copy: the handler may destroy the timer, and with it OnTimer, while it runs.
        const auto handler = OnTimer;
        try {
            handler(this);
        } catch (...) {
            // A failing handler costs its tick, never the timer or the event loop.
        }
    }
    if (alive)
        worker_.TickDone();
}
