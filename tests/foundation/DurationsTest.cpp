#include "foundation/Durations.h"

#include <gtest/gtest.h>

TEST(Durations, HoursShowFromOneHourUpAndNothingWraps)
{
    struct Case {
        int64_t msecs;
        const char* minutesSeconds;
        const char* hoursMinutesSeconds;
    };
    const Case cases[] = {
        {0, "00:00", "00:00:00"},
        {59999, "00:59", "00:00:59"}, // seconds are truncated
        {3599999, "59:59", "00:59:59"},
        {3600000, "1:00:00", "01:00:00"},
        {75 * 60000, "1:15:00", "01:15:00"},
        {(25 * 3600 + 61) * 1000LL, "25:01:01", "25:01:01"},
        {(120 * 3600) * 1000LL, "120:00:00", "120:00:00"},
        {-5000, "00:05", "00:00:05"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatDuration(c.msecs), c.minutesSeconds) << c.msecs;
        EXPECT_EQ(FormatDuration(c.msecs, DurationForm::HoursMinutesSeconds), c.hoursMinutesSeconds)
            << c.msecs;
    }
    EXPECT_DOUBLE_EQ(MSecsToDateTime(43200000), 0.5);
}
