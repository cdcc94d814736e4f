#include "controls/LXScrollBox.h"

#include "Drawing.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform;

namespace {

struct LXScrollBoxTest : ::testing::Test {
    HostWindow host;
    TLXCustomScrollBox* box = new TLXCustomScrollBox(&host.Window);
    QWidget* content = new QWidget;

    void SetUp() override
    {
        box->setGeometry(0, 0, 120, 80);
        content->resize(400, 300);
        box->setWidget(content);
        box->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host.Window));
    }
};

TEST_F(LXScrollBoxTest, TheBevelSetsTheViewportMargins)
{
    EXPECT_EQ(box->viewport()->geometry().topLeft(), QPoint(2, 2)) << "the sunken client edge";
    box->SetCtl3D(false);
    EXPECT_EQ(box->viewport()->geometry().topLeft(), QPoint(1, 1));

    box->Bevel().SetMode(bmCustom);
    box->Bevel().SetBorderWidth(2);
    const QRect viewport = box->viewport()->geometry();
    EXPECT_EQ(viewport.topLeft(), QPoint(2, 2));
    const int barWidth = box->verticalScrollBar()->width();
    const int barHeight = box->horizontalScrollBar()->height();
    EXPECT_EQ(viewport.right(), 120 - 2 - barWidth - 1);
    EXPECT_EQ(viewport.bottom(), 80 - 2 - barHeight - 1);
}

TEST_F(LXScrollBoxTest, TheCornerTakesTheColour)
{
    box->SetColor(clRed);
    ASSERT_TRUE(box->horizontalScrollBar()->isVisible());
    ASSERT_TRUE(box->verticalScrollBar()->isVisible());
    const QImage image = box->grab().toImage();
    EXPECT_EQ(Probe(image, 120 - 4, 80 - 4), clRed);
}

TEST_F(LXScrollBoxTest, OnScrollFiresOncePerRealMove)
{
    QSignalSpy scrolls(box, &TLXCustomScrollBox::OnScroll);
    box->verticalScrollBar()->setValue(30);
    box->verticalScrollBar()->setValue(30);
    box->horizontalScrollBar()->setValue(10);
    EXPECT_EQ(scrolls.count(), 2);
}

} // namespace
