#include "platform/SystemClock.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <ctime>

namespace {

// The guard of the shared test main is on: without it this call would fail with EINVAL instead, and
// it changes nothing either way.
TEST(TimeLock, RefusesToSetAnyClock)
{
    timespec any{1, 0};
    errno = 0;
    EXPECT_EQ(clock_settime(CLOCK_MONOTONIC, &any), -1);
    EXPECT_EQ(errno, EPERM);
}

TEST(RealSystemClock, WithoutThePrivilegeSaysWhatItNeeds)
{
    QString reason;
    EXPECT_FALSE(platform::RealSystemClock().Shift(0, reason));
    EXPECT_EQ(reason, "the program may not set the clock (it needs the CAP_SYS_TIME capability)");
}

} // namespace
