#include "platform_gui/PageControl.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using platform::LayoutTabs;
using platform::TPageControl;
using platform::TTabPosition;

TEST(LayoutTabsTest, WrapsIntoRowsOnlyWhenAskedAndGivesAnOverlongTabARowOfItsOwn)
{
    struct Case {
        const char* what;
        QList<int> lengths;
        bool wrap;
        QList<QRect> expected;
    };
    const Case cases[] = {
        {"fits in one row", {30, 40}, true, {QRect(0, 0, 30, 20), QRect(30, 0, 40, 20)}},
        {"wraps at the end",
         {60, 50, 30},
         true,
         {QRect(0, 0, 60, 20), QRect(0, 20, 50, 20), QRect(50, 20, 30, 20)}},
        {"exactly full", {50, 50}, true, {QRect(0, 0, 50, 20), QRect(50, 0, 50, 20)}},
        {"too long alone", {150, 10}, true, {QRect(0, 0, 150, 20), QRect(0, 20, 10, 20)}},
        {"one row scrolls",
         {60, 50, 30},
         false,
         {QRect(0, 0, 60, 20), QRect(60, 0, 50, 20), QRect(110, 0, 30, 20)}},
        {"no tabs", {}, true, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LayoutTabs(c.lengths, 100, 20, c.wrap), c.expected) << c.what;
}

class PageControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pc.resize(200, 150);
        for (const char* caption : {"JINGLES", "STARTUP", "MORNING SHOW", "NEWS", "ADVERTS", "NIGHT"})
            pc.AddPage(new QWidget, caption);
        pc.show();
    }
    // Where the pages show, in the control's coordinates.
    QRect PageArea() const { return QRect(pc.Page(0)->mapTo(&pc, QPoint()), pc.Page(0)->size()); }
    TPageControl pc;
};

TEST_F(PageControlTest, MultiLineTabsShowEveryPageInRowsAndThePagesFillTheRest)
{
    const QList<QRect> tabs = pc.TabRects();
    ASSERT_EQ(tabs.size(), 6);
    for (const QRect& tab : tabs)
        EXPECT_TRUE(pc.TabStripRect().contains(tab)) << "every tab in sight";
    EXPECT_GT(pc.TabStripRect().height(), pc.TabHeight()) << "more than one row";
    EXPECT_EQ(pc.TabStripRect().height() % pc.TabHeight(), 0);
    EXPECT_EQ(PageArea().top(), pc.TabStripRect().bottom() + 1);
    EXPECT_EQ(PageArea().bottom(), pc.height() - 1);

    pc.SetMultiLine(false);
    EXPECT_EQ(pc.TabStripRect().height(), pc.TabHeight());
    pc.SetActivePageIndex(5);
    EXPECT_TRUE(pc.TabStripRect().contains(pc.TabRects()[5])) << "the row scrolls to the active tab";
}

TEST_F(PageControlTest, TabsSitOnTheChosenEdge)
{
    pc.SetTabPosition(TTabPosition::tpBottom);
    EXPECT_EQ(pc.TabStripRect().bottom(), pc.height() - 1);
    EXPECT_EQ(PageArea().top(), 0);
    pc.SetTabPosition(TTabPosition::tpLeft);
    EXPECT_EQ(pc.TabStripRect().left(), 0);
    EXPECT_EQ(pc.TabStripRect().height(), pc.height());
    EXPECT_EQ(PageArea().left(), pc.TabStripRect().right() + 1);
    pc.SetTabPosition(TTabPosition::tpRight);
    EXPECT_EQ(pc.TabStripRect().right(), pc.width() - 1);
    EXPECT_EQ(PageArea().right(), pc.TabStripRect().left() - 1);
    for (const QRect& tab : pc.TabRects())
        EXPECT_EQ(tab.height(), pc.TabHeight());
}

TEST_F(PageControlTest, AClickActivatesATabAndADeletedPageLeavesWithItsTab)
{
    int changes = 0;
    QObject::connect(&pc, &TPageControl::Changed, [&] { ++changes; });
    QTest::mouseClick(&pc, Qt::LeftButton, {}, pc.TabRects()[3].center());
    EXPECT_EQ(pc.ActivePageIndex(), 3);
    EXPECT_EQ(pc.ActivePage(), pc.Page(3));

    QWidget* news = pc.Page(3);
    delete pc.Page(1);
    EXPECT_EQ(pc.PageCount(), 5);
    EXPECT_EQ(pc.TabRects().size(), 5);
    EXPECT_EQ(pc.IndexOf(news), 2);

    const int before = pc.TabRects()[0].width();
    pc.Page(0)->setWindowTitle("A MUCH LONGER NAME");
    EXPECT_GT(pc.TabRects()[0].width(), before) << "a renamed page's tab follows its caption";
    EXPECT_GE(changes, 3);
}

} // namespace
