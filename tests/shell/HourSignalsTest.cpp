#include "shell/HourSignals.h"

#include <gtest/gtest.h>

namespace {

QDateTime At(int hour, int minute, int second, int ms = 0)
{
    return QDateTime(QDate(2030, 1, 1), QTime(hour, minute, second, ms));
}

TEST(HourSignals, StartOnceAtTheirSecondOfTheChosenMinutes)
{
    struct Case {
        const char* name;
        int minutes;
        int number;
        QDateTime previous;
        QDateTime now;
        bool due;
    };
    const Case cases[] = {
        {"60/5 at xx:59:56", 60, 5, At(10, 59, 55, 300), At(10, 59, 56, 300), true},
        {"60/5 a second late", 60, 5, At(10, 59, 56, 300), At(10, 59, 57, 300), false},
        {"60 at :44", 60, 5, At(10, 44, 55, 300), At(10, 44, 56, 300), false},
        {"45 at :44", 45, 5, At(10, 44, 55, 300), At(10, 44, 56, 300), true},
        {"45 at :29", 45, 5, At(10, 29, 55, 300), At(10, 29, 56, 300), false},
        {"30 at :29", 30, 5, At(10, 29, 55, 300), At(10, 29, 56, 300), true},
        {"15 at :14", 15, 5, At(10, 14, 55, 300), At(10, 14, 56, 300), true},
        {"15 at :13", 15, 5, At(10, 13, 55, 300), At(10, 13, 56, 300), false},
        {"period 20 plays nothing", 20, 5, At(10, 59, 55, 300), At(10, 59, 56, 300), false},
        {"BeepNumber 1 is second 60", 60, 1, At(10, 59, 59, 500), At(11, 0, 0, 500), false},
        {"BeepNumber 0 is second 61", 60, 0, At(11, 0, 0, 500), At(11, 0, 1, 500), false},
        {"a late tick skips second 56", 60, 5, At(10, 59, 55, 900), At(10, 59, 57, 0), true},
        {"a second tick inside :56", 60, 5, At(10, 59, 56, 100), At(10, 59, 56, 900), false},
        {"a tick after a long stall", 60, 5, At(10, 59, 50), At(10, 59, 58, 500), false},
        {"a tick that saw no time pass", 60, 5, At(10, 59, 56, 300), At(10, 59, 56, 300), false},
        {"the first tick", 60, 5, QDateTime(), At(10, 59, 56, 400), true},
        {"the clock set back", 60, 5, At(11, 30, 0), At(10, 59, 56, 400), true},
        {"second 59 seen after the minute turned", 60, 2, At(10, 59, 58, 800), At(11, 0, 0, 100), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HourSignalDue(c.minutes, c.number, c.previous, c.now), c.due) << c.name;
}

} // namespace
