// The windows bar's tile on a 1024 x 768 screen with the bar docked at each edge.
#include "shell/WindowsBar.h"

#include <gtest/gtest.h>

namespace {

struct TileCase {
    int edge;
    QSize bar;
    TileRects expected;
};

TEST(WindowsBarTest, TileLayoutAroundTheBar)
{
    const QSize screen(1024, 768);
    const TileCase cases[] = {
        {1, {1024, 28}, {{1, 28, 512, 555}, {1, 583, 256, 185}, {257, 583, 256, 185}, {512, 28, 512, 740}}},
        {2, {1024, 28}, {{1, 1, 512, 555}, {1, 555, 256, 185}, {257, 555, 256, 185}, {512, 1, 512, 740}}},
        {3, {28, 768}, {{29, 1, 498, 576}, {29, 576, 249, 192}, {278, 576, 249, 192}, {526, 1, 498, 768}}},
        {4, {28, 768}, {{1, 1, 498, 576}, {1, 576, 249, 192}, {250, 576, 249, 192}, {498, 1, 498, 768}}},
    };
    for (const TileCase& c : cases) {
        SCOPED_TRACE(c.edge);
        const TileRects tile = TileLayout(screen, c.edge, c.bar);
        EXPECT_EQ(tile.Main, c.expected.Main);
        EXPECT_EQ(tile.A, c.expected.A);
        EXPECT_EQ(tile.B, c.expected.B);
        EXPECT_EQ(tile.Channel1, c.expected.Channel1);
    }
}

} // namespace
