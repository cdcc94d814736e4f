#include "platform/SystemClock.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>

namespace platform {

namespace {

std::atomic<SystemClock*> installed{nullptr};

} // namespace

SystemClock& CurrentSystemClock()
{
    static RealSystemClock real;
    SystemClock* clock = installed.load();
    return clock ? *clock : real;
}

SystemClock* InstallSystemClock(SystemClock* clock)
{
    return installed.exchange(clock);
}

bool RealSystemClock::Shift(int64_t offsetNs, QString& reason)
{
    constexpr int64_t nsPerSecond = 1'000'000'000;
    timespec now{};
    // Read right before setting, so the time between the reply and this call is not lost.
    if (clock_gettime(CLOCK_REALTIME, &now) != 0) {
        reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    const int64_t target = static_cast<int64_t>(now.tv_sec) * nsPerSecond + now.tv_nsec + offsetNs;
    timespec set{};
    set.tv_sec = static_cast<time_t>(target / nsPerSecond);
    set.tv_nsec = static_cast<long>(target % nsPerSecond);
    if (set.tv_nsec < 0) {
        set.tv_nsec += nsPerSecond;
        --set.tv_sec;
    }
    if (clock_settime(CLOCK_REALTIME, &set) == 0)
        return true;
    reason = errno == EPERM
                 ? QStringLiteral("the program may not set the clock (it needs the CAP_SYS_TIME capability)")
                 : QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

} // namespace platform
