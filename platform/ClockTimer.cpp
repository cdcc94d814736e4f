#include "platform/ClockTimer.h"

#include "platform/Clock.h"

#include <algorithm>

namespace platform {

ClockTimer::ClockTimer(QObject* parent) : QObject(parent)
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { Fire(start_); });
}

ClockTimer::~ClockTimer()
{
    Stop();
}

void ClockTimer::Start(int64_t ms)
{
    Stop();
    if (ms <= 0)
        return;
    ms = std::min(ms, MaxIntervalMs);
    active_ = true;
    const unsigned start = ++start_;
    clock_ = InstalledManualClock();
    if (clock_ == nullptr) {
        timer_.start(static_cast<int>(ms));
        return;
    }
    alarm_ = clock_->AddAlarm(clock_->TickMs() + ms, [this, start] {
        QMetaObject::invokeMethod(
            this, [this, start] { Fire(start); }, Qt::QueuedConnection);
    });
}

void ClockTimer::Stop()
{
    active_ = false;
    ++start_;
    timer_.stop();
    // A clock that has gone took its alarms with it.
    if (clock_ != nullptr && clock_ == InstalledManualClock())
        clock_->RemoveAlarm(alarm_);
    clock_ = nullptr;
}

void ClockTimer::Fire(unsigned start)
{
    if (!active_ || start != start_)
        return;
    active_ = false;
    clock_ = nullptr;
    emit Timeout();
}

} // namespace platform
