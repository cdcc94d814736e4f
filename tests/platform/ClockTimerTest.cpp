// The one-shot timer on the installed clock: on a test's manual clock and on the machine's.
#include "platform/ClockTimer.h"

#include "platform/Clock.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace platform;

namespace {

// Advances the clock, then lets the timers' posted firings through.
void Advance(ManualClock& clock, int64_t ms)
{
    clock.Advance(ms);
    QCoreApplication::processEvents();
}

} // namespace

TEST(ClockTimerTest, OnAManualClockItFiresOnceWhenItsTimeIsPassed)
{
    ManualClock clock(QDateTime(QDate(2026, 1, 1), QTime(12, 0)), 5000);
    ClockTimer timer;
    QSignalSpy fired(&timer, &ClockTimer::Timeout);

    timer.Start(1000);
    EXPECT_TRUE(timer.IsActive());
    Advance(clock, 999);
    EXPECT_EQ(fired.count(), 0);
    clock.Advance(1);
    EXPECT_EQ(fired.count(), 0); // through the event loop, not inside Advance
    QCoreApplication::processEvents();
    EXPECT_EQ(fired.count(), 1);
    EXPECT_FALSE(timer.IsActive());
    Advance(clock, 10000);
    EXPECT_EQ(fired.count(), 1);

    // Started anew before its time: only the new time counts.
    timer.Start(1000);
    Advance(clock, 500);
    timer.Start(1000);
    Advance(clock, 700);
    EXPECT_EQ(fired.count(), 1);
    Advance(clock, 300);
    EXPECT_EQ(fired.count(), 2);

    // Stopped, even with its firing already posted: nothing.
    timer.Start(100);
    clock.Advance(100);
    timer.Stop();
    QCoreApplication::processEvents();
    EXPECT_EQ(fired.count(), 2);
}

TEST(ClockTimerTest, ZeroNeverStartsAndLongIntervalsAreHeldAtTwentyFourDays)
{
    ManualClock clock(QDateTime(QDate(2026, 1, 1), QTime(12, 0)));
    ClockTimer timer;
    QSignalSpy fired(&timer, &ClockTimer::Timeout);
    for (int64_t never : {int64_t{0}, int64_t{-5}}) {
        timer.Start(never);
        EXPECT_FALSE(timer.IsActive());
    }
    Advance(clock, 1000);
    EXPECT_EQ(fired.count(), 0);

    // A line-in entry of a hand-edited 10^9 seconds: 10^12 ms, past 32 bits.
    timer.Start(int64_t{1'000'000'000} * 1000);
    Advance(clock, ClockTimer::MaxIntervalMs - 1);
    EXPECT_EQ(fired.count(), 0);
    Advance(clock, 1);
    EXPECT_EQ(fired.count(), 1);
}

TEST(ClockTimerTest, ATimerOrAClockThatGoesFirstLeavesNothingBehind)
{
    auto clock = std::make_unique<ManualClock>(QDateTime(QDate(2026, 1, 1), QTime(12, 0)));
    {
        ClockTimer gone;
        gone.Start(100);
    }
    Advance(*clock, 200); // the destroyed timer's alarm went with it

    ClockTimer timer;
    timer.Start(100);
    clock.reset();
    timer.Stop();
    EXPECT_FALSE(timer.IsActive());
}

TEST(ClockTimerTest, OnTheMachinesClockItIsAQtTimer)
{
    ClockTimer timer;
    QSignalSpy fired(&timer, &ClockTimer::Timeout);
    timer.Start(10);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fired.count() > 0; }, 10000));
    EXPECT_FALSE(timer.IsActive());
    QTest::qWait(50);
    EXPECT_EQ(fired.count(), 1);
}
