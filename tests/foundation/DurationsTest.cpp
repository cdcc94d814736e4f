#include "foundation/Durations.h"

#include <gtest/gtest.h>

TEST(Durations, FormatsWrapAtTheNextUnit)
{
    struct Case {
        int64_t msecs;
        const char* minutesSeconds;
        const char* hoursMinutesSeconds;
    };
    const Case cases[] = {
        {0, "00:00", "00:00:00"},
        {59999, "00:59", "00:00:59"}, // seconds are truncated
        {75 * 60000, "15:00", "01:15:00"},
        {3600000, "00:00", "01:00:00"},
        {(25 * 3600 + 61) * 1000LL, "01:01", "01:01:01"},
        {-5000, "00:05", "00:00:05"},
    };
    for (const Case& c : cases) {
        const double dateTime = MSecsToDateTime(c.msecs);
        EXPECT_EQ(FormatMinutesSeconds(dateTime), c.minutesSeconds) << c.msecs;
        EXPECT_EQ(FormatHoursMinutesSeconds(dateTime), c.hoursMinutesSeconds) << c.msecs;
    }
    EXPECT_DOUBLE_EQ(MSecsToDateTime(43200000), 0.5);
}
