#pragma once
// The time every part of the system reads: the wall clock (local date and time) and a monotonic
// millisecond tick. A test puts a ManualClock in its place to fix the date of the log, the hour
// signals and every timed decision.
#include <QDateTime>

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime Now() const = 0;
    // Milliseconds from an arbitrary start; never goes back.
    virtual int64_t TickMs() const = 0;
};

// The installed clock's readings; the machine's clock unless a ManualClock lives. Any thread.
QDateTime Now();
int64_t TickMs();

// A clock that stands still until the test sets or advances it. While it lives it replaces the
// current clock; when it goes, the clock before it is back.
class ManualClock : public Clock {
public:
    explicit ManualClock(const QDateTime& now, int64_t tickMs = 0);
    ~ManualClock() override;
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;

    QDateTime Now() const override;
    int64_t TickMs() const override;

    void SetNow(const QDateTime& now);
    // Moves the date-time and the tick forward together, then calls the alarms it passed, in the
    // order of their times, on the calling thread.
    void Advance(int64_t ms);

    // An alarm for the tick dueMs; its id, for RemoveAlarm.
    int AddAlarm(int64_t dueMs, std::function<void()> alarm);
    void RemoveAlarm(int id);

private:
    mutable std::mutex lock_;
    QDateTime now_;
    int64_t tickMs_;
    std::multimap<int64_t, std::pair<int, std::function<void()>>> alarms_; // by due tick
    int nextAlarm_ = 1;
    const Clock* previous_;
    ManualClock* previousManual_;
};

// The living ManualClock, or null on the machine's clock.
ManualClock* InstalledManualClock();

} // namespace platform
