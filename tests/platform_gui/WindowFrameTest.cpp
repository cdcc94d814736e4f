// Window places in outer and client terms, with the window system's frame and with a painted one.
#include "platform_gui/WindowFrame.h"

#include <QWidget>
#include <gtest/gtest.h>

TEST(WindowFrame, PlacesAreTheSameWithAndWithoutAPaintedFrame)
{
    for (const QMargins painted : {QMargins(), QMargins(6, 24, 5, 4)}) {
        QWidget window;
        platform::SetPaintedFrame(&window, painted);
        EXPECT_EQ(window.contentsMargins(), painted);

        // The window system's frame is known once the window has been shown.
        window.show();
        platform::SetOuterGeometry(&window, QRect(10, 20, 400, 300));
        EXPECT_EQ(window.frameGeometry(), QRect(10, 20, 400, 300));
        EXPECT_EQ(platform::ClientSize(&window), window.size().shrunkBy(painted));

        platform::SetClientSize(&window, QSize(200, 100));
        EXPECT_EQ(window.contentsRect().size(), QSize(200, 100));
        EXPECT_EQ(platform::ClientSize(&window), QSize(200, 100));
        EXPECT_EQ(window.pos(), QPoint(10, 20));
    }
}
