#pragma once
// A timer whose periods are measured on a worker thread of its own, so they do not stretch while the
// event loop is busy, and whose handler still runs on the GUI thread: the worker waits one interval,
// hands the tick over and waits until the handler has returned. A period is the interval plus the time
// the tick takes; periods never catch up. The properties are set on the GUI thread only.
#include "platform/ThreadPriority.h"

#include <QObject>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

// The worker: waits on its wake event for at most the interval. A wait that times out is a tick: the
// owner's slot Tick() is queued on the owner's thread and the worker waits until TickDone(). A wake
// (enable, disable, new interval, destruction) is no tick and starts a fresh period. Parked (waiting
// for a wake) while not running.
class TTimerThread {
public:
    explicit TTimerThread(QObject& owner);
    // Ends the worker, also while it waits for a tick the owner has not taken.
    ~TTimerThread();
    TTimerThread(const TTimerThread&) = delete;
    TTimerThread& operator=(const TTimerThread&) = delete;

    uint32_t Interval() const;
    void SetInterval(uint32_t ms);
    // Ticking from a fresh period on, or parked.
    void Run();
    void Park();
    // The owner has run (or skipped) the tick: the worker starts the next period.
    void TickDone();

    platform::ThreadId Id() const { return id_; }

private:
    QObject& owner_;
    mutable std::mutex lock_;
    std::condition_variable changed_;
    uint32_t interval_ = 1000;
    bool running_ = false;
    bool wake_ = false; // the wake event, reset by the wait it ends
    bool terminate_ = false;
    bool tickPending_ = false; // handed over and not yet done
    platform::ThreadId id_ = 0;
    std::thread thread_;

    void Execute();
    void Wake(); // with lock_ held
};

class TThreadedTimer : public QObject {
    Q_OBJECT
public:
    explicit TThreadedTimer(QObject* parent = nullptr);
    // Returns once the worker has ended; the handler never runs from here on.
    ~TThreadedTimer() override;

    // An interval of 0 runs (ticks back to back) only with this set.
    bool AllowZero() const { return allowZero_; }
    void SetAllowZero(bool allow) { allowZero_ = allow; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Milliseconds; a change restarts the period when enabled.
    uint32_t Interval() const { return worker_.Interval(); }
    void SetInterval(uint32_t ms);
    platform::ThreadPriority ThreadPriority() const { return priority_; }
    // Asked of the system; a refusal (raising needs a privilege) leaves the worker as it was.
    void SetThreadPriority(platform::ThreadPriority priority);

    // Runs on the GUI thread with the timer as sender; whatever it throws is swallowed. It may disable
    // or destroy the timer.
    std::function<void(QObject* sender)> OnTimer;

private slots:
    void Tick();

private:
    bool allowZero_ = false;
    bool enabled_ = false;
    bool destroying_ = false;
    platform::ThreadPriority priority_ = platform::ThreadPriority::Normal;
    TTimerThread worker_{*this};
};
