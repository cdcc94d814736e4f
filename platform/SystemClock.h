#pragma once
// Setting the machine's clock: the one place that may. The program holds no privilege for it: the
// system's time service steps the clock on its behalf when the system's policy allows this user to.
// Tests install a fake in its place that records what it was asked. Any thread.
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

// The machine's clock through the system's time service on D-Bus (org.freedesktop.timedate1 SetTime,
// relative, never asking for a password): polkit decides whether this user may set it.
class TimeServiceClock : public SystemClock {
public:
    // An empty address is the system bus.
    explicit TimeServiceClock(QString busAddress = QString()) : busAddress_(std::move(busAddress)) {}
    bool Shift(int64_t offsetNs, QString& reason) override;

private:
    QString busAddress_;
};

} // namespace platform
