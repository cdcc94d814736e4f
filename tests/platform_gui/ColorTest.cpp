#include "platform_gui/Color.h"

#include <gtest/gtest.h>

TEST(Color, StoredOrderIsBlueGreenRed)
{
    EXPECT_EQ(platform::ToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(platform::ToQColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(platform::FromQColor(QColor(0x12, 0x34, 0x56)), 0x563412);
}
