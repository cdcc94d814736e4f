#include "controls/LXAppearance.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// Counts the notifications of an object.
struct Notes {
    int count = 0;
    void Watch(TLXObject& object)
    {
        object.OnChange = [this](TLXObject*) { ++count; };
    }
};

TEST(LXAppearance, GradientSteps)
{
    TLXGradient gradient;
    EXPECT_EQ(gradient.Steps().size(), 16); // blue to black by default
    EXPECT_EQ(gradient.Steps().front(), 0xFF0000);
    EXPECT_EQ(gradient.Steps().back(), 0x000000);

    gradient.SetColor(clWhite);
    gradient.SetColorCount(3);
    EXPECT_EQ(gradient.Steps(), (QList<TColor>{0xFFFFFF, 0x7F7F7F, 0x000000}));

    struct Case {
        QList<TColor> colors;
        int count;
        qsizetype steps;
    };
    const Case cases[] = {
        {{0x0000FF, 0x00FF00, 0xFF0000}, 16, 9}, // 5 from the first pair, 4 more from the second
        {{0x0000FF, 0x00FF00}, 16, 8},           {{0x0000FF}, 16, 0}, {{}, 16, 0},
        {{0x0000FF, 0x00FF00, 0xFF0000}, 2, 0}, // ramps of 0 steps add nothing
        {{0x0000FF, 0x00FF00, 0xFF0000}, 3, 1}, // a first ramp of 1 step is its start colour
    };
    gradient.SetTwoColors(false);
    for (const Case& c : cases) {
        gradient.SetColorList(c.colors);
        gradient.SetColorCount(c.count);
        EXPECT_EQ(gradient.Steps().size(), c.steps) << c.colors.size() << " " << c.count;
    }
    EXPECT_EQ(gradient.Steps(), QList<TColor>{0x0000FF});

    gradient.SetColorList({0x0000FF, 0x00FF00, 0xFF0000});
    gradient.SetColorCount(16);
    EXPECT_EQ(gradient.Steps()[0], 0x0000FF);
    EXPECT_EQ(gradient.Steps()[4], 0x00FF00);
    EXPECT_EQ(gradient.Steps()[8], 0xFF0000);
}

TEST(LXAppearance, AngleKeeps360AsZero)
{
    struct Case {
        int from, to, stored;
        int notes;
    };
    const Case cases[] = {{0, 360, 0, 1}, {0, 0, 0, 0}, {0, 90, 90, 1}, {90, 360, 0, 1}, {45, 45, 45, 0}};
    for (const Case& c : cases) {
        TLXFxCaption caption;
        caption.SetAngle(c.from);
        Notes notes;
        notes.Watch(caption);
        caption.SetAngle(c.to);
        EXPECT_EQ(caption.Angle(), c.stored) << c.from << " " << c.to;
        EXPECT_EQ(notes.count, c.notes) << c.from << " " << c.to;
    }

    // The text origin is set silently.
    TLXFxCaption caption;
    Notes notes;
    notes.Watch(caption);
    caption.SetTextOrigin(3, 4);
    EXPECT_EQ(caption.PosX(), 3);
    EXPECT_EQ(caption.PosY(), 4);
    EXPECT_EQ(notes.count, 0);
}

TEST(LXAppearance, AssignCopiesAndNotifiesOnce)
{
    TLXFxCaption source;
    source.SetStyle(tdRaisedShadow);
    source.SetOrientation(toBottomRight);
    source.SetAngle(30);
    source.SetShadowDepth(4);
    TLXFxCaption target;
    target.SetOrientation(toTopRight);
    Notes notes;
    notes.Watch(target);
    target.Assign(source);
    EXPECT_EQ(target.Style(), tdRaisedShadow);
    EXPECT_EQ(target.Angle(), 30);
    EXPECT_EQ(target.ShadowDepth(), 4);
    EXPECT_EQ(target.Orientation(), toTopRight);
    EXPECT_EQ(notes.count, 1);

    TLX3DCaption plain;
    plain.SetOrientation(toBottomLeft);
    plain.Assign(source);
    EXPECT_EQ(plain.Style(), tdRaisedShadow);
    EXPECT_EQ(plain.Orientation(), toBottomLeft);

    TLXButtonLayout layout;
    layout.SetArrow(true);
    layout.SetArrowSize(7);
    layout.SetAlignText2Glyph(taTop);
    layout.SetSpacing(9);
    TLXButtonLayout copy;
    Notes layoutNotes;
    layoutNotes.Watch(copy);
    copy.Assign(layout);
    EXPECT_TRUE(copy.Arrow());
    EXPECT_EQ(copy.ArrowSize(), 7);
    EXPECT_EQ(copy.AlignText2Glyph(), taTop);
    EXPECT_EQ(copy.Spacing(), 9);
    EXPECT_EQ(layoutNotes.count, 1);
    EXPECT_EQ(TLXGlyphTextLayout().Alignment(), agTopLeft);
    EXPECT_EQ(copy.Alignment(), agCenter);

    TLXGradient gradient;
    gradient.SetTwoColors(false);
    gradient.SetColorList({0x0000FF, 0xFF0000});
    TLXGradient gradientCopy;
    Notes gradientNotes;
    gradientNotes.Watch(gradientCopy);
    gradientCopy.Assign(gradient);
    EXPECT_EQ(gradientNotes.count, 1);
    EXPECT_EQ(gradientCopy.Steps(), gradient.Steps());
}

TEST(LXAppearance, InspectorTexts)
{
    TLXFxCaption caption;
    EXPECT_EQ(caption.GetInspectorText(), "{Disabled}");
    caption.SetStyle(tdPColorRaised);
    EXPECT_EQ(caption.GetInspectorText(), "{}");
    caption.SetStyle(tdExtrudeEnh);
    EXPECT_EQ(caption.GetInspectorText(), "{extrude enh}");
    caption.SetAngle(45);
    EXPECT_EQ(caption.GetInspectorText(), "{extrude enh, rot: 45°}");
    caption.SetStyle(tdNone);
    EXPECT_EQ(caption.GetInspectorText(), "{ rot: 45°}");

    TLXGradient gradient;
    EXPECT_EQ(gradient.GetInspectorText(), "vertical, Col: 16, 2 col mode");
    gradient.SetStyle(gstTopRightDiagonal);
    gradient.SetTwoColors(false);
    EXPECT_EQ(gradient.GetInspectorText(), "top right diag, Col: 16, mult. col mode");
    EXPECT_EQ(TLXButtonLayout().GetInspectorText(), "");
}

TEST(LXAppearance, GradientPaletteFollowsItsSteps)
{
    TLXGradient gradient;
    EXPECT_FALSE(gradient.Palette().has_value());
    gradient.SetColorCount(3);
    gradient.SetPaletteRealize(true);
    ASSERT_TRUE(gradient.Palette().has_value());
    EXPECT_EQ(gradient.Palette()->Entries, gradient.Steps());
    gradient.SetTwoColors(false); // no colour list: no steps, no palette
    EXPECT_FALSE(gradient.Palette().has_value());
}

} // namespace
