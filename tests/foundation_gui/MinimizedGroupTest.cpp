// Windows minimised together come back together, each to its own state, and only once.
#include "foundation_gui/MinimizedGroup.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

TEST(MinimizedGroup, RestoringOneRestoresTheOthersToTheirStates)
{
    QWidget plain, maximized, hidden;
    auto gone = std::make_unique<QWidget>();
    plain.show();
    maximized.showMaximized();
    gone->show();

    TMinimizedGroup group;
    group.Minimize({&plain, &maximized, &hidden, gone.get()});
    EXPECT_TRUE(plain.isMinimized());
    EXPECT_TRUE(maximized.isMinimized());
    EXPECT_FALSE(hidden.isVisible());
    EXPECT_FALSE(hidden.isMinimized());
    EXPECT_EQ(group.Windows().size(), 3);
    gone.reset(); // a window closed while down is simply left out

    plain.showNormal();
    EXPECT_FALSE(maximized.isMinimized());
    EXPECT_TRUE(maximized.isMaximized());
    EXPECT_TRUE(group.Windows().isEmpty());
    EXPECT_FALSE(hidden.isVisible());

    // The group is over: minimising one window later takes no other with it, nor brings it back.
    plain.showMinimized();
    maximized.showMinimized();
    plain.showNormal();
    EXPECT_TRUE(maximized.isMinimized());
}
