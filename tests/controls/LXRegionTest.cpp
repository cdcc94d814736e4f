#include "controls/LXRegion.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(LXRegion, StarPointsAndCoverage)
{
    const QPolygon star = ShapePolygon(rsStar, QRect(0, 0, 100, 100));
    ASSERT_EQ(star.size(), 10);
    EXPECT_EQ(star[0], QPoint(50, 0));
    EXPECT_EQ(star[4], QPoint(85, 100));
    EXPECT_EQ(star[6], QPoint(15, 100));

    TLXShapeSettings settings;
    settings.Shape = rsStar;
    const QRegion region = ShapeRegion(settings, QRect(0, 0, 100, 100));
    // The tips themselves fall outside a polygon region: probe just inside them.
    for (const QPoint inside : {QPoint(50, 1), QPoint(84, 99), QPoint(16, 99)})
        EXPECT_TRUE(region.contains(inside)) << inside.x() << "," << inside.y();
    for (const QPoint outside : {QPoint(50, 76), QPoint(50, 99)})
        EXPECT_FALSE(region.contains(outside)) << outside.x() << "," << outside.y();
}

TEST(LXRegion, FractionsOfOddSizesTruncate)
{
    const QRect rect(10, 20, 101, 51);
    EXPECT_EQ(ShapePolygon(rsDiamond, rect), QPolygon({{60, 20}, {111, 45}, {60, 71}, {10, 45}}));
    EXPECT_EQ(ShapePolygon(rsOctagon, rect),
              QPolygon({{77, 20}, {43, 20}, {10, 37}, {10, 54}, {43, 71}, {77, 71}, {111, 54}, {111, 37}}));
    EXPECT_TRUE(ShapePolygon(rsElliptic, rect).isEmpty());
}

TEST(LXRegion, EveryShapeCoversItsMiddle)
{
    TLXShapeSettings settings;
    const QRect rect(0, 0, 120, 90);
    for (int shape = rsRect; shape <= rsEllipticThinkBubble; ++shape) {
        if (shape == rsBitmap || shape == rsUserRegion || shape == rsRoundShield || shape == rsSharpShield)
            continue;
        settings.Shape = static_cast<TLXRegionShape>(shape);
        const QRegion region = ShapeRegion(settings, rect);
        EXPECT_TRUE(region.contains(QPoint(60, 50))) << shape;
        const bool bubbles = shape >= rsThinkBubble;
        if (bubbles)
            EXPECT_TRUE(region.contains(QPoint(8, 4)))
                << "a bubble between the corner and the body: " << shape;
        else
            EXPECT_TRUE(rect.contains(region.boundingRect())) << shape;
        EXPECT_FALSE(ShapeOutlines(settings, rect).empty()) << shape;
    }
    settings.Shape = rsRoundRect;
    EXPECT_FALSE(ShapeRegion(settings, rect).contains(QPoint(0, 0))) << "the corner is cut";
}

TEST(LXRegion, BitmapShapeWithoutMaskHasNoRegion)
{
    TLXBorderRegion region;
    region.SetShape(rsBitmap);
    EXPECT_TRUE(region.CreateRegion(QRect(0, 0, 100, 100)).isEmpty());

    QWidget window;
    auto* shape = new TLXFormShape(&window);
    shape->Region().SetShape(rsBitmap);
    shape->Loaded();
    window.resize(100, 80);
    EXPECT_TRUE(window.mask().isEmpty()) << "the window keeps its rectangle";
}

TEST(LXFormShape, LeftDragOnTheEmptyAreaMovesTheWindow)
{
    QWidget window;
    auto* shape = new TLXFormShape(&window);
    shape->Loaded();
    auto* child = new QLabel("child", &window);
    child->setGeometry(0, 0, 40, 40);
    window.setGeometry(100, 100, 200, 120);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(window.mask().isEmpty());
    EXPECT_FALSE(window.mask().contains(QPoint(0, 0))) << "a rounded corner";

    const QPoint start = window.pos();
    QTest::mousePress(&window, Qt::RightButton, {}, QPoint(100, 80));
    QTest::mouseMove(&window, QPoint(120, 90));
    QTest::mouseRelease(&window, Qt::RightButton, {}, QPoint(120, 90));
    EXPECT_EQ(window.pos(), start) << "a right drag";

    QTest::mousePress(child, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(child, QPoint(30, 30));
    QTest::mouseRelease(child, Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_EQ(window.pos(), start) << "a press on a child";

    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(100, 80));
    QTest::mouseMove(&window, QPoint(130, 95));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(130, 95));
    EXPECT_EQ(window.pos(), start + QPoint(30, 15));
}

} // namespace
