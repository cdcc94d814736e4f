// A real scroll bar painted by the skin still scrolls: Qt reads the skin's layout for its arrows, pages
// and thumb, so clicks and drags land where the operator sees them.
#include "PainterKit.h"
#include "SkinKit.h"
#include "SkinnedControls.h"
#include "skin/SkinBinding.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A bar of a scrolling area bound in a skinned window, the given length along its direction.
struct Bar {
    explicit Bar(int length, Qt::Orientation orientation = Qt::Horizontal)
    {
        auto* area = window.Add<QAbstractScrollArea>();
        const bool across = orientation == Qt::Horizontal;
        area->setHorizontalScrollBarPolicy(across ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        area->setVerticalScrollBarPolicy(across ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
        const int frames = 2 * area->frameWidth();
        area->setFixedSize(across ? QSize(length + frames, 80) : QSize(80, length + frames));
        window.Skin();
        bar = across ? area->horizontalScrollBar() : area->verticalScrollBar();
        EXPECT_EQ(across ? bar->width() : bar->height(), length);
        EXPECT_TRUE(SkinBindings().Find(bar));
        bar->setRange(0, 100);
        bar->setPageStep(10);
        bar->setSingleStep(1);
        bar->setValue(50);
    }
    QRect Part(QStyle::SubControl part) const
    {
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = bar->orientation();
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.pageStep = bar->pageStep();
        option.sliderPosition = option.sliderValue = bar->value();
        option.upsideDown = bar->invertedAppearance();
        return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
    }
    void Click(QPoint point)
    {
        QTest::mousePress(bar, Qt::LeftButton, {}, point);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, point);
    }

    SkinnedControls window;
    QScrollBar* bar = nullptr;
};

TEST(SkinnedScrollBar, ArrowsAndPagesScrollWhereTheyAreDrawn)
{
    for (const Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        SCOPED_TRACE(orientation);
        Bar b(300, orientation);
        const QRect first = b.Part(QStyle::SC_ScrollBarSubLine);
        const QRect second = b.Part(QStyle::SC_ScrollBarAddLine);
        EXPECT_EQ(ObjectAt(b.bar->grab().toImage(), first.center()),
                  ObjectIdOf(skinbuilder::StandardFixture(), "scrollbar.bmp"));
        b.Click(first.center());
        EXPECT_EQ(b.bar->value(), 49);
        b.Click(second.center());
        b.Click(second.center());
        EXPECT_EQ(b.bar->value(), 51);
        b.Click(b.Part(QStyle::SC_ScrollBarAddPage).center());
        EXPECT_EQ(b.bar->value(), 61);
        b.Click(b.Part(QStyle::SC_ScrollBarSubPage).center());
        EXPECT_EQ(b.bar->value(), 51);
    }
}

TEST(SkinnedScrollBar, DraggingTheThumbFollowsTheMouseAndStopsAtTheArrows)
{
    Bar b(300);
    const QRect thumb = b.Part(QStyle::SC_ScrollBarSlider);
    const QRect groove = b.Part(QStyle::SC_ScrollBarGroove);
    const int travel = groove.width() - thumb.width(); // the pixels from value 0 to value 100
    const QPoint grip = thumb.center();
    QTest::mousePress(b.bar, Qt::LeftButton, {}, grip);
    QTest::mouseMove(b.bar, grip + QPoint(travel / 4, 0));
    EXPECT_EQ(b.bar->value(), 75);
    EXPECT_NEAR(b.Part(QStyle::SC_ScrollBarSlider).left(), thumb.left() + travel / 4, 1);
    QTest::mouseMove(b.bar, grip + QPoint(travel, 0)); // far past the second arrow
    EXPECT_EQ(b.bar->value(), 100);
    const QRect end = b.Part(QStyle::SC_ScrollBarSlider);
    EXPECT_EQ(end.right(), groove.right());
    EXPECT_EQ(end.width(), thumb.width());
    QTest::mouseMove(b.bar, grip - QPoint(travel, 0));
    EXPECT_EQ(b.bar->value(), 0);
    EXPECT_EQ(b.Part(QStyle::SC_ScrollBarSlider).left(), groove.left());
    QTest::mouseRelease(b.bar, Qt::LeftButton, {}, grip - QPoint(travel, 0));
    EXPECT_EQ(b.bar->value(), 0);
}

TEST(SkinnedScrollBar, EachHalfArrowOfAShortBarScrollsItsOwnWay)
{
    Bar b(24);
    b.Click({3, 5});
    EXPECT_EQ(b.bar->value(), 49);
    b.Click({14, 5});
    b.Click({20, 5});
    EXPECT_EQ(b.bar->value(), 51);
}

} // namespace
