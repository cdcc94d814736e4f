#include "controls/LXGlyphCache.h"

#include "Drawing.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// A strip of square cells on a fuchsia ground (the transparent colour), cell k
// with a 4 x 4 square of colours[k] at (4, 4).
TBitmap Strip(int width, int height, const std::vector<TColor>& colors = {})
{
    TBitmap bitmap(width, height);
    bitmap.Canvas().Brush.SetColor(clFuchsia);
    bitmap.Canvas().FillRect(Rect(0, 0, width, height));
    for (size_t k = 0; k < colors.size(); ++k) {
        bitmap.Canvas().Brush.SetColor(colors[k]);
        const int left = static_cast<int>(k) * height;
        bitmap.Canvas().FillRect(Rect(left + 4, 4, left + 8, 8));
    }
    return bitmap;
}

TColor ListPixel(const TLXGlyph& glyph, int index, int x, int y)
{
    return Probe(glyph.List()->Image().Image(), glyph.List()->ImageRect(index).Left + x, y);
}

TEST(LXGlyphCache, NumGlyphsFollowsTheSourceWhenItsWidthIsAWholeMultiple)
{
    struct Case {
        int width;
        int height;
        int expected;
    };
    const Case cases[] = {{64, 16, 4}, {96, 16, 1}, {40, 16, 3}, {16, 16, 1}, {32, 16, 2}, {0, 16, 3}};
    for (const Case& c : cases) {
        TLXGlyph glyph;
        glyph.SetNumGlyphs(3);
        const TBitmap source = Strip(c.width, c.height);
        glyph.SetBitmap(&source);
        EXPECT_EQ(glyph.NumGlyphs(), c.expected) << c.width << " x " << c.height;
        EXPECT_EQ(glyph.StateImage(0) < 0, c.width == 0) << c.width << " x " << c.height;
    }
    TLXGlyph glyph;
    glyph.SetNumGlyphs(0);
    glyph.SetNumGlyphs(6);
    EXPECT_EQ(glyph.NumGlyphs(), 1);
    glyph.SetBitmap(nullptr);
    EXPECT_EQ(glyph.StateImage(2), -1);
}

TEST(LXGlyphCache, EachStateTakesItsSlotAndSource)
{
    const auto plan = [](int numGlyphs, bool uncoloured) {
        QStringList row;
        for (int state = 0; state <= 7; ++state) {
            const TLXGlyphSlot slot = GlyphSlotFor(state, numGlyphs, uncoloured);
            const char* source = slot.Source == TLXGlyphSource::Grey       ? "grey"
                                 : slot.Source == TLXGlyphSource::Embossed ? "embossed"
                                                                           : "cell";
            row << QStringLiteral("%1:%2").arg(slot.Slot).arg(
                slot.Source == TLXGlyphSource::Cell ? source + QString::number(slot.Cell) : source);
        }
        return row.join(' ');
    };
    EXPECT_EQ(plan(1, false), "0:cell0 1:embossed 0:cell0 0:cell0 0:cell0 0:cell0 0:cell0 1:embossed");
    EXPECT_EQ(plan(1, true), "0:grey 1:embossed 2:cell0 2:cell0 2:cell0 2:cell0 4:cell0 1:embossed");
    EXPECT_EQ(plan(4, false), "0:cell0 1:cell1 2:cell2 3:cell3 0:cell0 0:cell0 0:cell0 1:cell1");
    EXPECT_EQ(plan(4, true), "0:grey 1:cell1 2:cell2 3:cell3 2:cell2 2:cell2 4:cell0 1:cell1");

    // The prepared images are those sources, prepared once per slot.
    TLXGlyph glyph;
    const TBitmap source = Strip(64, 16, {clRed, clLime, clBlue, clYellow});
    glyph.SetBitmap(&source);
    ASSERT_EQ(glyph.NumGlyphs(), 4);
    const int hot = glyph.StateImage(2);
    EXPECT_EQ(ListPixel(glyph, hot, 5, 5), clBlue);
    EXPECT_EQ(glyph.StateImage(6), glyph.StateImage(0)) << "state 6 shares the normal slot";
    EXPECT_EQ(ListPixel(glyph, glyph.StateImage(6), 5, 5), clRed);
    glyph.SetUncoloured(true);
    EXPECT_EQ(glyph.List(), nullptr) << "a change of the uncoloured flag frees the prepared images";
    const TColor grey = ListPixel(glyph, glyph.StateImage(0), 5, 5);
    EXPECT_NE(grey, clRed);
    EXPECT_EQ(ColorToRGB(grey) & 0xFF, (ColorToRGB(grey) >> 8) & 0xFF) << "grey has equal channels";
    EXPECT_EQ(ListPixel(glyph, glyph.StateImage(5), 5, 5), clBlue);
}

TEST(LXGlyphCache, GlyphsOfOneSizeShareOneStripThatGoesWithTheLastOfThem)
{
    ASSERT_EQ(GlyphCache(), nullptr);
    const TBitmap small = Strip(16, 16, {clRed});
    const TBitmap other = Strip(32, 16, {clRed, clBlue});
    {
        TLXGlyph first;
        TLXGlyph second;
        ASSERT_NE(GlyphCache(), nullptr);
        first.SetBitmap(&small);
        second.SetBitmap(&small);
        const int a = first.StateImage(0);
        const int b = second.StateImage(0);
        ASSERT_NE(first.List(), nullptr);
        EXPECT_EQ(first.List(), second.List());
        EXPECT_NE(a, b);
        EXPECT_EQ(first.List()->UsedCount(), 2);

        first.Release();
        EXPECT_EQ(first.List(), nullptr);
        EXPECT_EQ(second.List()->UsedCount(), 1);
        EXPECT_EQ(second.StateImage(1), a) << "the freed image is the next one used";
        EXPECT_EQ(second.List()->Count(), 2);

        TLXGlyph wider;
        wider.SetBitmap(&other);
        wider.StateImage(0);
        EXPECT_EQ(GlyphCache()->ListCount(), 1) << "cells of 16 x 16 again";
        EXPECT_EQ(wider.List(), second.List());
    }
    EXPECT_EQ(GlyphCache(), nullptr);
}

TEST(LXGlyphCache, AOneImageGlyphIsEmbossedWhenDisabled)
{
    TLXGlyph glyph;
    const TBitmap source = Strip(16, 16, {clBlack});
    glyph.SetBitmap(&source);
    const int normal = glyph.StateImage(0);
    const int disabled = glyph.StateImage(1);
    ASSERT_NE(normal, disabled);
    EXPECT_EQ(ListPixel(glyph, normal, 5, 5), clBlack);
    EXPECT_EQ(ListPixel(glyph, disabled, 5, 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(ListPixel(glyph, disabled, 8, 8), ColorToRGB(clBtnHighlight)) << "the highlight at +1, +1";
    EXPECT_EQ(glyph.StateImage(4), normal) << "pressed shows the normal image";
    // The ground stays clear in the mask.
    EXPECT_EQ(Probe(glyph.List()->Mask().Image(), glyph.List()->ImageRect(disabled).Left + 1, 1), clWhite);
    EXPECT_EQ(Probe(glyph.List()->Mask().Image(), glyph.List()->ImageRect(disabled).Left + 8, 8), clBlack);
    EXPECT_EQ(Probe(glyph.List()->Mask().Image(), glyph.List()->ImageRect(disabled).Left + 5, 5), clBlack);
}

} // namespace
