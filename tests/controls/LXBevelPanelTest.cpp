#include "controls/LXBevelPanel.h"
#include "Drawing.h"
#include "platform_gui/AlignChildren.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(LXBevelPanelTest, AlignedChildrenSitInsideTheBevel)
{
    TLXCustomBevelPanel panel;
    panel.resize(100, 60);
    auto* top = new QWidget(&panel);
    top->resize(10, 12);
    SetAlign(top, TAlign::alTop);
    auto* client = new QWidget(&panel);
    SetAlign(client, TAlign::alClient);
    EXPECT_EQ(client->geometry(), QRect(0, 12, 100, 48));

    panel.Bevel().SetBorderWidth(4);
    EXPECT_EQ(top->geometry(), QRect(4, 4, 92, 12)) << "a bevel change realigns";
    EXPECT_EQ(client->geometry(), QRect(4, 16, 92, 40));
}

TEST(LXBevelPanelTest, WindowsModeHasASunkenClientEdge)
{
    HostWindow host;
    auto* panel = new TLXCustomBevelPanel(&host.Window);
    panel->setGeometry(0, 0, 60, 40);
    auto* client = new QWidget(panel);
    SetAlign(client, TAlign::alClient);
    panel->Bevel().SetMode(bmWindows);
    EXPECT_EQ(panel->contentsRect(), QRect(2, 2, 56, 36));
    EXPECT_EQ(client->geometry(), QRect(2, 2, 56, 36)) << "the edge is no part of the bevel's extent";
    panel->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host.Window));
    panel->resize(60, 50);
    EXPECT_EQ(client->geometry(), QRect(2, 2, 56, 46)) << "a resize realigns";
    const QImage image = panel->grab().toImage();
    EXPECT_NE(Probe(image, 0, 25), ColorToRGB(panel->Color()));
    EXPECT_EQ(Probe(image, 30, 25), ColorToRGB(panel->Color()));

    panel->Bevel().SetMode(bmCustom);
    EXPECT_EQ(panel->contentsRect(), QRect(0, 0, 60, 50));
    EXPECT_EQ(TLXCustomStatusBar().LabelOffset(), 0);
}

} // namespace
