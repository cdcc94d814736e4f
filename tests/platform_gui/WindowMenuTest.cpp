// The window menu: its commands enabled by the window's state and border icons, the application's
// commands after them, and each command run on the window.
#include "platform_gui/WindowMenu.h"
#include "platform/Messages.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

bool Enabled(const std::vector<platform::WindowMenuItem>& items, unsigned id)
{
    for (const platform::WindowMenuItem& item : items)
        if (item.Id == id)
            return item.Enabled;
    ADD_FAILURE() << "no item " << id;
    return false;
}

} // namespace

TEST(WindowMenu, CommandsFollowStateAndBorderIcons)
{
    using namespace platform;
    QWidget window;
    window.resize(200, 100);
    window.show();
    const WindowMeta sizeable{BorderStyle::Sizeable, true, true, true};
    std::vector<WindowMenuItem> items = WindowMenuItems(&window, sizeable);
    EXPECT_FALSE(Enabled(items, SC_RESTORE));
    EXPECT_TRUE(Enabled(items, SC_MOVE));
    EXPECT_TRUE(Enabled(items, SC_SIZE));
    EXPECT_TRUE(Enabled(items, SC_MINIMIZE));
    EXPECT_TRUE(Enabled(items, SC_MAXIMIZE));
    EXPECT_TRUE(Enabled(items, SC_CLOSE));
    EXPECT_EQ(items.back().ShortCut, "Alt+F4");

    items = WindowMenuItems(&window, {BorderStyle::Dialog, true, false, false});
    EXPECT_FALSE(Enabled(items, SC_SIZE));
    EXPECT_FALSE(Enabled(items, SC_MINIMIZE));
    EXPECT_FALSE(Enabled(items, SC_MAXIMIZE));

    SysCommand(&window, SC_MAXIMIZE);
    items = WindowMenuItems(&window, sizeable);
    EXPECT_TRUE(window.isMaximized());
    EXPECT_TRUE(Enabled(items, SC_RESTORE));
    EXPECT_FALSE(Enabled(items, SC_MOVE));
    EXPECT_FALSE(Enabled(items, SC_MAXIMIZE));
    SysCommand(&window, SC_RESTORE);
    EXPECT_FALSE(window.isMaximized());
}

TEST(WindowMenu, TheApplicationsCommandsFollowASeparatorAndRun)
{
    using namespace platform;
    QWidget window;
    int ran = 0;
    AddWindowMenuItem(&window, SC_SETMAINWINDOW, "set as main window", [&] { ++ran; });
    const std::vector<WindowMenuItem> items = WindowMenuItems(&window, GetWindowMeta(&window));
    ASSERT_GE(items.size(), 2u);
    EXPECT_EQ(items[items.size() - 2].Id, 0u);
    EXPECT_EQ(items.back().Id, SC_SETMAINWINDOW);
    EXPECT_EQ(items.back().Text, "set as main window");
    SysCommand(&window, SC_SETMAINWINDOW);
    EXPECT_EQ(ran, 1);
}

TEST(WindowMeta, DerivedFromTheFlagsUnlessSetExplicitly)
{
    using namespace platform;
    QWidget plain;
    EXPECT_EQ(GetWindowMeta(&plain), (WindowMeta{BorderStyle::Sizeable, true, true, true}));
    QWidget fixed;
    fixed.setFixedSize(100, 50);
    EXPECT_EQ(GetWindowMeta(&fixed), (WindowMeta{BorderStyle::Single, true, true, false}));
    QWidget dialog(nullptr, Qt::Dialog);
    EXPECT_EQ(GetWindowMeta(&dialog).Border, BorderStyle::Dialog);
    EXPECT_FALSE(GetWindowMeta(&dialog).MinimizeBox);
    QWidget closeOnly(nullptr,
                      Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    EXPECT_EQ(GetWindowMeta(&closeOnly), (WindowMeta{BorderStyle::Sizeable, true, false, false}));
    QWidget frameless(nullptr, Qt::FramelessWindowHint);
    EXPECT_EQ(GetWindowMeta(&frameless).Border, BorderStyle::None);
    SetWindowMeta(&frameless, {BorderStyle::ToolWindow, false, false, true});
    EXPECT_EQ(GetWindowMeta(&frameless), (WindowMeta{BorderStyle::ToolWindow, false, false, true}));
}
