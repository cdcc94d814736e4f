#include "controls/LXColorRamp.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(LXColorRamp, BlendColorTruncatesTowardZero)
{
    EXPECT_EQ(BlendColor(0x000000, 0xFFFFFF, 1, 3), 0x555555);
    EXPECT_EQ(BlendColor(0x000000, 0xFFFFFF, 1, 2), 0x7F7F7F);
    EXPECT_EQ(BlendColor(0xFFFFFF, 0x000000, 1, 2), 0x808080);
    EXPECT_EQ(BlendColor(0x0000FF, 0xFF0000, 2, 2), 0xFF0000);
    EXPECT_EQ(BlendColor(clBtnFace, clBlack, 0, 4), ColorToRGB(clBtnFace));
    EXPECT_EQ(BlendColor(0x123456, 0xFFFFFF, 1, 0), 0x123456);
}

TEST(LXColorRamp, ColorRamps)
{
    struct Case {
        TColor a, b;
        int count;
        bool restart;
        QList<TColor> expected;
    };
    const QList<TColor> start = {0x010101};
    const Case cases[] = {
        {0xFFFFFF, 0x000000, 3, true, {0xFFFFFF, 0x7F7F7F, 0x000000}},
        {0x0000FF, 0xFF0000, 2, true, {0x0000FF, 0xFF0000}},
        {0x0000FF, 0xFF0000, 1, true, {0x0000FF}},
        {0x0000FF, 0xFF0000, 0, true, start},
        {0xFFFFFF, 0x000000, 3, false, {0x010101, 0x7F7F7F, 0x000000}},
        {0xFFFFFF, 0x000000, 1, false, start},
    };
    for (const Case& c : cases) {
        QList<TColor> list = start;
        BuildColorRamp(c.a, c.b, c.count, c.restart, &list);
        EXPECT_EQ(list, c.expected) << c.count << " " << c.restart;
    }
    BuildColorRamp(0, 0xFFFFFF, 3, true, nullptr);
}

TEST(LXColorRamp, RampPalette)
{
    EXPECT_FALSE(CreateRampPalette({}).has_value());
    const auto palette = CreateRampPalette({0x0000FF, 0x00FF00});
    ASSERT_TRUE(palette.has_value());
    EXPECT_EQ(palette->Entries, (QList<TColor>{0x0000FF, 0x00FF00}));
    EXPECT_EQ(TLXPalette::Version, 0x300);
}

} // namespace
