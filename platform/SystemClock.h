#pragma once
// Setting the machine's clock: the one place that may. The real service shifts CLOCK_REALTIME and
// needs CAP_SYS_TIME; tests install a fake in its place that records what it was asked. Any thread.
#include <QString>

#include <cstdint>

namespace platform {

class SystemClock {
public:
    virtual ~SystemClock() = default;
    // Moves the clock by offsetNs from what it reads at this moment. False with the reason when the
    // clock could not be set.
    virtual bool Shift(int64_t offsetNs, QString& reason) = 0;
};

// The installed service: the machine's clock unless another is installed.
SystemClock& CurrentSystemClock();
// Puts clock in place (nullptr: the machine's clock again); returns the one before.
SystemClock* InstallSystemClock(SystemClock* clock);

// The machine's clock through clock_settime.
class RealSystemClock : public SystemClock {
public:
    bool Shift(int64_t offsetNs, QString& reason) override;
};

} // namespace platform
