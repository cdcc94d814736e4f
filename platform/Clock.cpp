#include "platform/Clock.h"

#include <atomic>
#include <chrono>

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
    : now_(now), tickMs_(tickMs), previous_(currentClock.exchange(this))
{
}

ManualClock::~ManualClock()
{
    currentClock.store(previous_);
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
    const std::lock_guard lock(lock_);
    now_ = now_.addMSecs(ms);
    tickMs_ += ms;
}

} // namespace platform
