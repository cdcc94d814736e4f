#include "platform/Clock.h"
#include "platform/Random.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace platform;

TEST(Clock, AManualClockReplacesTheSystemClockWhileItLives)
{
    const QDateTime start(QDate(2024, 3, 31), QTime(23, 59, 59, 500));
    {
        ManualClock clock(start, 1000);
        EXPECT_EQ(Now(), start);
        EXPECT_EQ(TickMs(), 1000);
        clock.Advance(700); // across midnight and a month end
        EXPECT_EQ(Now(), QDateTime(QDate(2024, 4, 1), QTime(0, 0, 0, 200)));
        EXPECT_EQ(TickMs(), 1700);
        clock.SetNow(start);
        EXPECT_EQ(Now(), start);
        EXPECT_EQ(TickMs(), 1700); // setting the date never moves the tick back
    }
    EXPECT_LT(qAbs(Now().secsTo(QDateTime::currentDateTime())), 5);
    const int64_t first = TickMs();
    EXPECT_GE(TickMs(), first);
}

TEST(Random, DrawsAreUniformInRangeAndRepeatForASeed)
{
    SeedRandom(12345);
    QList<int> draws;
    for (int i = 0; i < 6000; ++i)
        draws << Random(6);
    QList<int> counts(6, 0);
    for (const int draw : draws) {
        ASSERT_GE(draw, 0);
        ASSERT_LT(draw, 6);
        ++counts[draw];
    }
    for (const int count : counts) {
        EXPECT_GT(count, 850);
        EXPECT_LT(count, 1150);
    }

    SeedRandom(12345);
    for (int i = 0; i < draws.size(); ++i)
        ASSERT_EQ(Random(6), draws[i]) << i;

    EXPECT_EQ(Random(1), 0);
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(-3), 0);
}
