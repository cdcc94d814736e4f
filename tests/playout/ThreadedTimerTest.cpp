// The threaded timer in real time, with loose tolerances: what runs, what stops it, and that it can
// always be destroyed, whatever its worker is doing.
#include "playout/ThreadedTimer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace {

// Runs the event loop for about `ms`, or until `done` holds (checked after every event).
void Spin(int ms, const std::function<bool()>& done = {})
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    QTimer check;
    if (done) {
        QObject::connect(&check, &QTimer::timeout, &loop, [&] {
            if (done())
                loop.quit();
        });
        check.start(0);
    }
    loop.exec();
}

// Ends the process when the guarded steps hang: a deadlock would otherwise stall the whole suite.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit)
        : thread_([this, limit] {
              std::unique_lock lock(lock_);
              if (!finished_.wait_for(lock, limit, [this] { return done_; })) {
                  std::fputs("Watchdog: the timer did not return; a deadlock\n", stderr);
                  std::abort();
              }
          })
    {
    }
    ~Watchdog()
    {
        {
            const std::lock_guard lock(lock_);
            done_ = true;
        }
        finished_.notify_all();
        thread_.join();
    }

private:
    std::mutex lock_;
    std::condition_variable finished_;
    bool done_ = false;
    std::thread thread_;
};

} // namespace

TEST(ThreadedTimer, ZeroIntervalRunsOnlyWithAllowZero)
{
    for (const bool allowZero : {false, true}) {
        SCOPED_TRACE(allowZero);
        TThreadedTimer timer;
        int ticks = 0;
        timer.OnTimer = [&](QObject* sender) {
            EXPECT_EQ(sender, &timer);
            ++ticks;
        };
        timer.SetAllowZero(allowZero);
        timer.SetInterval(0);
        timer.SetEnabled(true);
        Spin(100);
        timer.SetEnabled(false);
        if (allowZero)
            EXPECT_GT(ticks, 20) << "back to back";
        else
            EXPECT_EQ(ticks, 0);
    }
}

TEST(ThreadedTimer, DisabledInsideItsHandlerItTicksNoMore)
{
    TThreadedTimer timer;
    int ticks = 0;
    timer.OnTimer = [&](QObject*) {
        ++ticks;
        timer.SetEnabled(false);
    };
    timer.SetInterval(5);
    timer.SetEnabled(true);
    Spin(200);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer.Enabled());
}

TEST(ThreadedTimer, AThrowingHandlerCostsOnlyItsTick)
{
    TThreadedTimer timer;
    int ticks = 0;
    timer.OnTimer = [&](QObject*) {
        ++ticks;
        throw std::runtime_error("handler failed");
    };
    timer.SetInterval(5);
    timer.SetEnabled(true);
    Spin(2000, [&] { return ticks >= 3; });
    EXPECT_GE(ticks, 3);
}

TEST(ThreadedTimer, ANewIntervalRestartsThePeriodAndStartsNothingWhileDisabled)
{
    TThreadedTimer timer;
    QElapsedTimer sinceChange;
    qint64 firstTickAfter = -1;
    int ticks = 0;
    timer.OnTimer = [&](QObject*) {
        if (ticks++ == 0)
            firstTickAfter = sinceChange.elapsed();
    };
    timer.SetInterval(20);
    Spin(100);
    EXPECT_EQ(ticks, 0) << "a new interval while disabled started the timer";

    timer.SetInterval(200);
    timer.SetEnabled(true);
    Spin(120);
    // The period that has run 120 ms starts again, with the new length.
    sinceChange.start();
    timer.SetInterval(300);
    ASSERT_EQ(ticks, 0);
    Spin(5000, [&] { return ticks > 0; });
    ASSERT_EQ(ticks, 1);
    EXPECT_GE(firstTickAfter, 295) << "the tick kept the old period";
    EXPECT_EQ(timer.Interval(), 300u);
}

TEST(ThreadedTimer, DestroyedWhileRunningItReturnsAndNeverRunsTheHandlerAgain)
{
    const Watchdog watchdog(std::chrono::seconds(30));
    bool destructorBegan = false;
    int lateTicks = 0;
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE(round);
        destructorBegan = false;
        auto* timer = new TThreadedTimer;
        timer->SetInterval(1);
        if (round % 2 == 0) {
            // From inside its own handler.
            timer->OnTimer = [&](QObject*) {
                if (destructorBegan)
                    ++lateTicks;
                destructorBegan = true;
                delete timer;
                timer = nullptr;
            };
            timer->SetEnabled(true);
            Spin(5000, [&] { return timer == nullptr; });
            ASSERT_EQ(timer, nullptr);
        } else {
            // While its tick waits for a busy GUI thread.
            timer->OnTimer = [&](QObject*) {
                if (destructorBegan)
                    ++lateTicks;
            };
            timer->SetEnabled(true);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            destructorBegan = true;
            delete timer;
        }
        // A tick that was on its way is dropped with the timer.
        QCoreApplication::sendPostedEvents();
    }
    EXPECT_EQ(lateTicks, 0);
}
