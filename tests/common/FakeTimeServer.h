#pragma once
// Stand-ins for the time-setting services: a clock setter that records the offsets it was asked for,
// and a time server on 127.0.0.1 that answers each request as the test says, on a thread of its own.
#include "platform/SystemClock.h"

#include <QByteArray>

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Installed while it lives; never touches the machine's clock.
class FakeSystemClock : public platform::SystemClock {
public:
    FakeSystemClock();
    ~FakeSystemClock() override;
    bool Shift(int64_t offsetNs, QString& reason) override;
    std::vector<int64_t> Offsets() const;
    // Each setting takes this long, as a busy time service might.
    void SetDelayMs(int ms) { delayMs_ = ms; }

private:
    std::atomic<int> delayMs_ = 0;
    mutable std::mutex lock_;
    std::vector<int64_t> offsets_;
    platform::SystemClock* previous_;
};

class FakeTimeServer {
public:
    // The answer to one request; none stays silent.
    using Answer = std::function<std::optional<QByteArray>(const QByteArray& request)>;
    explicit FakeTimeServer(Answer answer);
    ~FakeTimeServer();
    int Port() const { return port_; }

private:
    int fd_ = -1;
    int stop_[2] = {-1, -1};
    int port_ = 0;
    Answer answer_;
    std::thread thread_;
};

// A well-formed server reply to request: receive time and transmit time given in Unix nanoseconds.
QByteArray ServerReply(const QByteArray& request, int64_t receiveNs, int64_t transmitNs);
