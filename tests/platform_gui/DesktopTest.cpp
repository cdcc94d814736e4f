#include "platform_gui/Desktop.h"

#include "DesktopCatcher.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Desktop, OpenWithDesktopHandsFilesAndAddressesOver)
{
    DesktopCatcher desktop({"file", "http", "https"});
    EXPECT_TRUE(OpenWithDesktop("/station/logs/010124.log"));
    EXPECT_TRUE(OpenWithDesktop("https://example.org/a b"));

    ASSERT_EQ(desktop.opened.size(), 2);
    EXPECT_EQ(desktop.opened[0], QUrl::fromLocalFile("/station/logs/010124.log"));
    EXPECT_EQ(desktop.opened[1].scheme(), "https");
    EXPECT_EQ(desktop.opened[1].host(), "example.org");
}
