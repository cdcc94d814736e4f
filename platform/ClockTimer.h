#pragma once
// A one-shot timer on the installed clock: a QTimer on the machine's clock; while a test's
// ManualClock lives, it fires when the test advances that clock past its due time. Either way
// Timeout comes through the event loop of the timer's thread.
#include <QObject>
#include <QTimer>

#include <cstdint>

namespace platform {

class ManualClock;

class ClockTimer : public QObject {
    Q_OBJECT
public:
    // The longest interval (24 days); a longer one is held at it.
    static constexpr int64_t MaxIntervalMs = 24LL * 24 * 60 * 60 * 1000;

    explicit ClockTimer(QObject* parent = nullptr);
    ~ClockTimer() override;

    // Starts anew for ms milliseconds. An interval of 0 or less does not start it: it never fires.
    void Start(int64_t ms);
    void Stop();
    bool IsActive() const { return active_; }

signals:
    void Timeout();

private:
    void Fire(unsigned start);

    QTimer timer_;
    bool active_ = false;
    unsigned start_ = 0; // which Start a firing belongs to
    ManualClock* clock_ = nullptr;
    int alarm_ = 0;
};

} // namespace platform
