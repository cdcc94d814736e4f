#include "platform/Clock.h"

#include <atomic>
#include <chrono>
#include <vector>

namespace platform {

namespace {

class SystemClock : public Clock {
public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
    int64_t TickMs() const override
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
};

const SystemClock systemClock;
std::atomic<const Clock*> currentClock{&systemClock};
std::atomic<ManualClock*> manualClock{nullptr};

} // namespace

QDateTime Now()
{
    return currentClock.load()->Now();
}

int64_t TickMs()
{
    return currentClock.load()->TickMs();
}

ManualClock::ManualClock(const QDateTime& now, int64_t tickMs)
    : now_(now), tickMs_(tickMs), previous_(currentClock.exchange(this)),
      previousManual_(manualClock.exchange(this))
{
}

ManualClock::~ManualClock()
{
    manualClock.store(previousManual_);
    currentClock.store(previous_);
}

ManualClock* InstalledManualClock()
{
    return manualClock.load();
}

QDateTime ManualClock::Now() const
{
    const std::lock_guard lock(lock_);
    return now_;
}

int64_t ManualClock::TickMs() const
{
    const std::lock_guard lock(lock_);
    return tickMs_;
}

void ManualClock::SetNow(const QDateTime& now)
{
    const std::lock_guard lock(lock_);
    now_ = now;
}

void ManualClock::Advance(int64_t ms)
{
    std::vector<std::function<void()>> due;
    {
        const std::lock_guard lock(lock_);
        now_ = now_.addMSecs(ms);
        tickMs_ += ms;
        const auto end = alarms_.upper_bound(tickMs_);
        for (auto alarm = alarms_.begin(); alarm != end; ++alarm)
            due.push_back(std::move(alarm->second.second));
        alarms_.erase(alarms_.begin(), end);
    }
    // Outside the lock: an alarm may set another.
    for (const auto& alarm : due)
        alarm();
}

int ManualClock::AddAlarm(int64_t dueMs, std::function<void()> alarm)
{
    const std::lock_guard lock(lock_);
    const int id = nextAlarm_++;
    alarms_.emplace(dueMs, std::make_pair(id, std::move(alarm)));
    return id;
}

void ManualClock::RemoveAlarm(int id)
{
    const std::lock_guard lock(lock_);
    std::erase_if(alarms_, [id](const auto& alarm) { return alarm.second.first == id; });
}

} // namespace platform
