#include "platform/AlignLayout.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(AlignLayoutTest, KindsTakeTheirStripsInTheToolkitsOrder)
{
    const QRect area(10, 10, 100, 80);
    // Listed client first and bottom before top: the kinds still go top, bottom, left, right, client.
    const std::vector<TAlignItem> items = {
        {TAlign::alClient, QRect(0, 0, 5, 5)}, {TAlign::alBottom, QRect(0, 0, 7, 10)},
        {TAlign::alTop, QRect(0, 50, 7, 20)},  {TAlign::alTop, QRect(0, 5, 7, 15)},
        {TAlign::alRight, QRect(0, 0, 12, 1)}, {TAlign::alLeft, QRect(0, 0, 8, 1)},
        {TAlign::alNone, QRect(3, 4, 5, 6)},
    };
    const std::vector<QRect> placed = AlignWithin(area, items);
    EXPECT_EQ(placed[3], QRect(10, 10, 100, 15)) << "the top one higher up goes first";
    EXPECT_EQ(placed[2], QRect(10, 25, 100, 20));
    EXPECT_EQ(placed[1], QRect(10, 80, 100, 10));
    EXPECT_EQ(placed[5], QRect(10, 45, 8, 35));
    EXPECT_EQ(placed[4], QRect(98, 45, 12, 35));
    EXPECT_EQ(placed[0], QRect(18, 45, 80, 35)) << "the client gets what is left";
    EXPECT_EQ(placed[6], QRect(3, 4, 5, 6));
}

TEST(AlignLayoutTest, BottomAndRightOnesGoOutermostFirst)
{
    const std::vector<TAlignItem> items = {
        {TAlign::alBottom, QRect(0, 10, 5, 10)}, // bottom edge 20
        {TAlign::alBottom, QRect(0, 30, 5, 5)},  // bottom edge 35: outermost
        {TAlign::alRight, QRect(10, 0, 4, 5)},
        {TAlign::alRight, QRect(10, 0, 4, 5)}, // a tie keeps the list's order
    };
    const std::vector<QRect> placed = AlignWithin(QRect(0, 0, 50, 50), items);
    EXPECT_EQ(placed[1], QRect(0, 45, 50, 5));
    EXPECT_EQ(placed[0], QRect(0, 35, 50, 10));
    EXPECT_EQ(placed[2], QRect(46, 0, 4, 35));
    EXPECT_EQ(placed[3], QRect(42, 0, 4, 35));
}

} // namespace
