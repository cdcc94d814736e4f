#include "controls/LXDrawText.h"
#include "Drawing.h"
#include "RecordingCanvas.h"
#include "controls/LXColorRamp.h"
#include "controls/LXDraw.h"
#include "controls/LXGeneral.h"
#include "platform_gui/PainterCanvas.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace platform;

namespace {

constexpr TColor Light = 0x00FFFF, Shadow = 0x0000FF, Base = 0x123456;

// The box of the pixels of one colour.
QRect ColorBounds(const QImage& image, TColor color)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Probe(image, x, y) == color)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

TEST(LXDrawText, MeasuresTextWithEffectsAndMargins)
{
    TLX3DCaption raisedShadow;
    raisedShadow.SetStyle(tdRaisedShadow);
    raisedShadow.SetShadowDepth(2);
    TLX3DCaption traced;
    traced.SetTracing(2);
    struct Case {
        QString text;
        TLX3DCaption* effects;
        int extra;
        bool prefix;
        TSize size;
    };
    // The recording canvas measures 8 x 16 per character.
    const Case cases[] = {
        {"abc", nullptr, 0, true, {26, 18}},
        {"", nullptr, 0, true, {10, 18}},      // measured as a space
        {"&", nullptr, 0, true, {10, 18}},     // would be nothing once the prefix is taken out
        {"a&&b", nullptr, 0, true, {26, 18}},  // "a&b"
        {"a&&b", nullptr, 0, false, {34, 18}}, // the ampersands as they are
        {"abc", &raisedShadow, 1, true, {24 + 3 + 4, 16 + 3 + 4}},
        {"abc", &traced, 0, true, {30 + 2, 18}}, // the tracing spaces the characters
        {"ab\ncd", nullptr, 0, true, {18, 34}},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        TRect rect = Rect(5, 7, 200, 7);
        MeasureFxText(canvas, c.text, c.effects, rect, 0, c.extra, c.prefix, false);
        EXPECT_EQ(rect.TopLeft(), Point(5, 7)) << c.text.toStdString();
        EXPECT_EQ(RectSize(rect), c.size) << c.text.toStdString();
        EXPECT_EQ(canvas.CharacterExtra, 0);
    }

    // Word break wraps at the rectangle's width.
    RecordingCanvas canvas;
    TRect rect = Rect(0, 0, 40, 0);
    MeasureFxText(canvas, "abc def", nullptr, rect, 0, 0, true, true);
    EXPECT_EQ(rect, Rect(0, 0, 26, 34));
}

TEST(LXDrawText, MeasuringRotatedTextSetsItsOriginAndUnrotatedTextGetsZeroSilently)
{
    struct Case {
        int angle;
        TLXThreeDStyle style;
        int depth;
        TSize size;
        int posX, posY;
    };
    // "abcd" is 32 x 16; turned by 90 degrees its cell's top-left lies at the box's bottom-left.
    const Case cases[] = {
        {90, tdNone, 1, {16 + 2, 32 + 2}, 0, 32},
        {180, tdNone, 1, {32 + 2, 16 + 2}, 32, 16},
        {90, tdShadow, 4, {20 + 2, 36 + 2}, 1, 33}, // margin 4, so the origin steps back by 1
    };
    for (const Case& c : cases) {
        TLXFxCaption fx;
        fx.SetAngle(c.angle);
        fx.SetStyle(c.style);
        fx.SetShadowDepth(c.depth);
        RecordingCanvas canvas;
        TRect rect;
        MeasureFxText(canvas, "abcd", &fx, rect, 0, 0, true, false);
        EXPECT_EQ(RectSize(rect), c.size) << c.angle;
        EXPECT_EQ(fx.PosX(), c.posX) << c.angle;
        EXPECT_EQ(fx.PosY(), c.posY) << c.angle;
    }

    TLXFxCaption fx;
    fx.SetPosX(5);
    fx.SetPosY(6);
    int notes = 0;
    fx.OnChange = [&](TLXObject*) { ++notes; };
    RecordingCanvas canvas;
    TRect rect;
    MeasureFxText(canvas, "abcd", &fx, rect, 0, 0, true, false);
    EXPECT_EQ(fx.PosX(), 0);
    EXPECT_EQ(fx.PosY(), 0);
    EXPECT_EQ(notes, 0);
}

TEST(LXDrawText, AlignTextRectPlacesTheMeasuredBlock)
{
    const TFont font = PinnedFont();
    TRect measured;
    MeasureFxText("Caption", nullptr, measured, 0, 0, true, false, font);
    ASSERT_GT(measured.Width(), 2);

    const TRect target = Rect(10, 20, 210, 120);
    const TRect block = AlignTextRect(agBottomRight, "Caption", nullptr, 0, true, false, font, target);
    EXPECT_EQ(block, Rect(210 - measured.Width(), 120 - measured.Height(), 210, 120));

    // With word break the text wraps one pixel inside the target: a target just wide enough for
    // both words keeps them on one line only when measured there.
    TRect twoWords;
    MeasureFxText("Two words", nullptr, twoWords, 0, 0, true, false, font);
    const int width = twoWords.Width() - 2;
    EXPECT_EQ(
        AlignTextRect(agTopLeft, "Two words", nullptr, 0, true, true, font, Bounds(0, 0, width + 1, 100))
            .Height(),
        twoWords.Height());
    EXPECT_GT(AlignTextRect(agTopLeft, "Two words", nullptr, 0, true, true, font, Bounds(0, 0, width, 100))
                  .Height(),
              twoWords.Height());
}

// Each DrawText pass as "left,top:colour".
QStringList Passes(const RecordingCanvas& canvas)
{
    QStringList passes;
    for (const CanvasCall& call : canvas.Calls)
        if (call.Name == "DrawText" || call.Name == "ExtTextOut")
            passes << QString("%1,%2:%3").arg(call.Args[0]).arg(call.Args[1]).arg(call.FontColor, 0, 16);
    return passes;
}

QString Pass(int x, int y, TColor color)
{
    return QString("%1,%2:%3").arg(x).arg(y).arg(color, 0, 16);
}

TEST(LXDrawText, StylesPaintTheirPassesAtTheirOffsets)
{
    struct Case {
        TLXThreeDStyle style;
        TLXThreeDOrientation orientation;
        int right; // of the base pass
        QStringList passes;
    };
    // Light depth 2, shadow depth 3, text rectangle from (10, 10).
    const Case cases[] = {
        {tdNone, toTopLeft, 60, {Pass(10, 10, Base)}},
        {tdSunken, toTopLeft, 58, {Pass(12, 12, Light), Pass(10, 10, Base)}},
        {tdRaised, toTopLeft, 60, {Pass(10, 10, Light), Pass(12, 12, Base)}},
        {tdSunkenShadow, toTopLeft, 58, {Pass(10, 10, Shadow), Pass(15, 15, Light), Pass(13, 13, Base)}},
        {tdRaisedShadow, toTopLeft, 57, {Pass(15, 15, Shadow), Pass(10, 10, Light), Pass(12, 12, Base)}},
        {tdPColorSunken, toTopLeft, 58, {Pass(10, 10, Shadow), Pass(15, 15, Light), Pass(13, 13, clRed)}},
        {tdShadow, toTopLeft, 57, {Pass(13, 13, Shadow), Pass(10, 10, Base)}},
        {tdExtrude,
         toTopLeft,
         63,
         {Pass(10, 10, Shadow), Pass(11, 11, Shadow), Pass(12, 12, Shadow), Pass(13, 13, Base)}},
        {tdExtrude,
         toBottomRight,
         61,
         {Pass(14, 14, Shadow), Pass(13, 13, Shadow), Pass(12, 12, Shadow), Pass(11, 11, Base)}},
        {tdExtrude,
         toBottomLeft,
         63,
         {Pass(10, 14, Shadow), Pass(11, 13, Shadow), Pass(12, 12, Shadow), Pass(13, 11, Base)}},
        {tdExtrude,
         toTopRight,
         61,
         {Pass(14, 10, Shadow), Pass(13, 11, Shadow), Pass(12, 12, Shadow), Pass(11, 13, Base)}},
        {tdExtrudeEnh,
         toTopLeft,
         63,
         {Pass(10, 10, BlendColor(Shadow, Light, 2, 3)), Pass(11, 11, BlendColor(Shadow, Light, 1, 3)),
          Pass(12, 12, Shadow), Pass(13, 13, Base)}},
    };
    for (const Case& c : cases) {
        TLX3DCaption effects;
        effects.SetStyle(c.style);
        effects.SetOrientation(c.orientation);
        effects.SetLightDepth(2);
        effects.SetShadowDepth(3);
        effects.SetLightColor(Light);
        effects.SetShadowColor(Shadow);
        RecordingCanvas canvas;
        canvas.Font.SetColor(Base);
        canvas.Brush.SetColor(clRed);
        DrawFxText(canvas, "Text", &effects, nullptr, fxEnabled, 0, Rect(10, 10, 60, 30));
        EXPECT_EQ(Passes(canvas), c.passes) << c.style << " " << c.orientation;
        EXPECT_EQ(canvas.Lines("DrawText").last().section(',', 2, 2).toInt(), c.right) << c.style;
        // What the routine changed is put back.
        EXPECT_EQ(canvas.Font.Color(), Base);
        EXPECT_EQ(canvas.Brush.Style(), TBrushStyle::bsSolid);
    }
}

TEST(LXDrawText, OutlineStrokesThePathWithThePenOfTheShadowDepth)
{
    for (int depth : {1, 3}) {
        TLX3DCaption effects;
        effects.SetStyle(tdOutline);
        effects.SetShadowDepth(depth);
        RecordingCanvas canvas;
        canvas.Font.SetColor(Base);
        DrawFxText(canvas, "Text", &effects, nullptr, fxEnabled, 0, Rect(10, 10, 60, 30));
        ASSERT_EQ(canvas.Calls.size(), 1u);
        EXPECT_EQ(canvas.Calls[0].ToString(),
                  QString("StrokeTextOutline(%1,%1,%2;Text)").arg(10 + depth / 2).arg(depth));
        EXPECT_EQ(canvas.Calls[0].PenColor, Base);
        EXPECT_EQ(canvas.Pen.Width(), 1);
    }
}

TEST(LXDrawText, DisabledTextTakesTheDisabledStyle)
{
    struct Case {
        TLXDisabledStyle disabled;
        unsigned flags;
        QStringList passes;
    };
    // A raised caption (light depth 2) painted disabled.
    const Case cases[] = {
        {dsAuto, 0, {Pass(10, 10, Light), Pass(12, 12, clGrayText)}},
        {dsAuto, fxAutoSunken, {Pass(12, 12, Light), Pass(10, 10, clGrayText)}},
        {ds3d, 0, {Pass(12, 12, Light), Pass(10, 10, clGrayText)}},
        {dsStandard, fxAutoSunken, {Pass(10, 10, Light), Pass(12, 12, clGrayText)}},
        {dsNone, 0, {Pass(10, 10, Light), Pass(12, 12, Base)}},
        {dsAuto, fxEnabled, {Pass(10, 10, Light), Pass(12, 12, Base)}},
    };
    for (const Case& c : cases) {
        TLX3DCaption effects;
        effects.SetStyle(tdRaised);
        effects.SetLightDepth(2);
        effects.SetLightColor(Light);
        effects.SetDisabledStyle(c.disabled);
        RecordingCanvas canvas;
        canvas.Font.SetColor(Base);
        DrawFxText(canvas, "Text", &effects, nullptr, c.flags, 0, Rect(10, 10, 60, 30));
        EXPECT_EQ(Passes(canvas), c.passes) << c.disabled << " " << c.flags;
    }
}

TEST(LXDrawText, PlainRotatedAndClippedText)
{
    // No effects: one DrawText with the caller's format; nothing for no text or no room.
    RecordingCanvas plain;
    DrawFxText(plain, "Text", nullptr, nullptr, fxEnabled, DT_CENTER, Rect(0, 0, 50, 20));
    DrawFxText(plain, "", nullptr, nullptr, fxEnabled, 0, Rect(0, 0, 50, 20));
    DrawFxText(plain, "Text", nullptr, nullptr, fxEnabled, 0, Rect(0, 0, 0, 20));
    EXPECT_EQ(plain.Lines("DrawText"), QStringList{"DrawText(0,0,50,20,1;Text)"});

    // Rotated text goes out at the rectangle's top-left moved by its origin, clipped on request.
    TLXFxCaption fx;
    fx.SetAngle(90);
    fx.SetPosX(3);
    fx.SetPosY(40);
    RecordingCanvas rotated;
    const TRect clip = Rect(0, 0, 30, 30);
    DrawFxText(rotated, "Text", &fx, &clip, fxEnabled | fxClip, 0, Rect(10, 10, 60, 60));
    EXPECT_EQ(rotated.Lines(),
              QStringList({"SetClipRect(0,0,30,30)", "ExtTextOut(13,50,0;Text)", "RemoveClip()"}));
    EXPECT_EQ(rotated.Font.Escapement(), 0);
}

TEST(LXDrawText, LightAndShadowCopiesLieAtTheirOffsets)
{
    struct Case {
        TLXThreeDStyle style;
        TColor copy;
        int offset; // of the copy's ink from the base colour's, right and bottom edges
    };
    const Case cases[] = {{tdShadow, Shadow, 3}, {tdSunken, Light, 2}, {tdRaised, Light, -2}};
    for (const Case& c : cases) {
        QImage image = BlankImage(120, 40);
        TPainterCanvas canvas(&image);
        canvas.Font = PinnedFont(20);
        canvas.Font.SetColor(Base);
        TLX3DCaption effects;
        effects.SetStyle(c.style);
        effects.SetLightDepth(2);
        effects.SetShadowDepth(3);
        effects.SetLightColor(Light);
        effects.SetShadowColor(Shadow);
        DrawFxText(canvas, "Wave", &effects, nullptr, fxEnabled, 0, Rect(5, 5, 115, 40));
        canvas.Release();
        const QRect base = ColorBounds(image, Base), copy = ColorBounds(image, c.copy);
        ASSERT_FALSE(base.isNull()) << c.style;
        ASSERT_FALSE(copy.isNull()) << c.style;
        // The copy sticks out beyond the base text on the side it is moved to.
        if (c.offset > 0) {
            EXPECT_EQ(copy.right() - base.right(), c.offset) << c.style;
            EXPECT_EQ(copy.bottom() - base.bottom(), c.offset) << c.style;
        } else {
            EXPECT_EQ(copy.left() - base.left(), c.offset) << c.style;
            EXPECT_EQ(copy.top() - base.top(), c.offset) << c.style;
        }
    }

    // Turned by 90 degrees, the text's ink stands upright.
    QImage image = BlankImage(60, 120);
    TPainterCanvas canvas(&image);
    canvas.Font = PinnedFont(20);
    TLXFxCaption fx;
    fx.SetAngle(90);
    TRect rect = Rect(0, 0, 60, 120);
    MeasureFxText(canvas, "Wave", &fx, rect, 0, 0, true, false);
    DrawFxText(canvas, "Wave", &fx, nullptr, fxEnabled, 0, Rect(0, 0, 60, 120));
    canvas.Release();
    const QRect ink = InkBounds(image);
    EXPECT_GT(ink.height(), 2 * ink.width());
    EXPECT_TRUE(QRect(0, 0, rect.Width(), rect.Height()).contains(ink));
}

// The calls that paint: everything but measuring.
QStringList Painted(const RecordingCanvas& canvas, const QString& name = QString())
{
    QStringList lines;
    for (const CanvasCall& call : canvas.Calls)
        if ((name.isEmpty() || call.Name == name) &&
            !(call.Name == "DrawText" && (static_cast<unsigned>(call.Args[4]) & DT_CALCRECT)))
            lines << call.ToString();
    return lines;
}

struct GlyphFixture {
    RecordingCanvas canvas;
    TBitmap glyph = SolidBitmap(10, 12, clRed);
    TLXGlyphTextRects rects;

    TRect Draw(const TLXGlyphTextLayout& layout, unsigned flags, const QString& text = "ab",
               const TRect& target = Rect(0, 0, 100, 50), bool wordBreak = false,
               const TBitmap* mask = nullptr, bool transparent = false)
    {
        return DrawGlyphAndText(canvas, text, nullptr, rects, 0, flags, transparent, true, wordBreak, layout,
                                clFuchsia, mask, Rect(0, 0, 10, 12), &glyph, target);
    }
};

TEST(LXDrawText, GlyphAndTextPlacements)
{
    struct Case {
        TLXTextArrange arrange;
        TLXAlignment alignment;
        TRect text, glyph;
    };
    // "ab" measures 18 x 18 with its margin, the glyph is 10 x 12, spacing 2; the text sits one
    // pixel in from its place.
    const Case cases[] = {
        {taLeft, agTopLeft, Rect(1, 1, 19, 19), Rect(20, 3, 30, 15)},
        {taLeftTop, agTopLeft, Rect(1, 1, 19, 19), Rect(20, 0, 30, 12)},
        {taRight, agTopLeft, Rect(13, 1, 31, 19), Rect(0, 3, 10, 15)},
        {taRightTop, agTopLeft, Rect(13, 1, 31, 19), Rect(0, 1, 10, 13)},
        {taTop, agTopLeft, Rect(1, 1, 19, 19), Rect(4, 20, 14, 32)}, // the caption above the glyph
        {taTopLeft, agTopLeft, Rect(1, 1, 19, 19), Rect(0, 20, 10, 32)},
        {taBottom, agTopLeft, Rect(1, 15, 19, 33), Rect(4, 0, 14, 12)},
        {taBottomLeft, agTopLeft, Rect(1, 15, 19, 33), Rect(0, 0, 10, 12)},
        {taRight, agCenter, Rect(48, 17, 66, 35), Rect(35, 19, 45, 31)},       // block 30 x 18
        {taRight, agBottomRight, Rect(83, 33, 101, 51), Rect(70, 35, 80, 47)}, // at (70, 32)
    };
    for (const Case& c : cases) {
        TLXGlyphTextLayout layout;
        layout.SetAlignText2Glyph(c.arrange);
        layout.SetAlignment(c.alignment);
        GlyphFixture f;
        f.Draw(layout, fxEnabled);
        EXPECT_EQ(f.rects.Text, c.text) << c.arrange << " " << c.alignment;
        EXPECT_EQ(f.rects.Glyph, c.glyph) << c.arrange << " " << c.alignment;
    }

    // The offsets move both; an empty caption takes no room and no spacing.
    TLXGlyphTextLayout layout;
    layout.SetOffsetX(4);
    layout.SetOffsetY(-2);
    layout.SetAlignment(agCenter);
    GlyphFixture moved;
    moved.Draw(layout, fxEnabled);
    EXPECT_EQ(moved.rects.Glyph, Rect(39, 17, 49, 29));
    GlyphFixture alone;
    alone.Draw(layout, fxEnabled, "");
    EXPECT_EQ(alone.rects.Glyph, Rect(49, 17, 59, 29));
    EXPECT_TRUE(alone.canvas.Lines("DrawText").isEmpty()); // not even measured
}

TEST(LXDrawText, GlyphIsPlacedOpaqueByColourOrThroughTheMask)
{
    TLXGlyphTextLayout layout;
    const TBitmap mask = SolidBitmap(10, 12, clBlack);
    struct Case {
        bool transparent;
        const TBitmap* mask;
        QString call;
    };
    const Case cases[] = {
        {false, &mask, "CopyRect"}, {true, nullptr, "CopyTransparent"}, {true, &mask, "CopyMasked"}};
    for (const Case& c : cases) {
        GlyphFixture f;
        f.Draw(layout, fxEnabled, "ab", Rect(0, 0, 100, 50), false, c.mask, c.transparent);
        const QStringList lines = f.canvas.Lines(c.call);
        ASSERT_EQ(lines.size(), 1) << c.call.toStdString();
        EXPECT_TRUE(lines[0].startsWith(c.call + "(0,3,10,15,0,0,10,12")) << lines[0].toStdString();
    }
}

TEST(LXDrawText, ArrowsFollowTheirPosition)
{
    struct Case {
        TLXArrowPosition position;
        bool wordBreak;
        TRect text, glyph;
        int arrowX, arrowY;
    };
    // Arrow size 3 (5 wide) and indent 3 widen the text or the glyph by 8; glyph left of the text.
    const Case cases[] = {
        {apRightText, false, Rect(13, 1, 39, 19), Rect(0, 3, 10, 15), 33, 9},
        {apRightText, true, Rect(13, 1, 39, 19), Rect(0, 3, 10, 15), 35, 9},
        {apLeftText, false, Rect(21, 1, 39, 19), Rect(0, 3, 10, 15), 13, 9},
        {apRightGlyph, false, Rect(21, 1, 39, 19), Rect(0, 3, 18, 15), 13, 8},
        {apLeftGlyph, false, Rect(21, 1, 39, 19), Rect(8, 3, 18, 15), 0, 8},
    };
    for (const Case& c : cases) {
        TLXButtonLayout layout;
        layout.SetAlignment(agTopLeft);
        layout.SetArrow(true);
        layout.SetArrowPosition(c.position);
        layout.SetArrowColor(clBlue);
        GlyphFixture f;
        f.Draw(layout, fxEnabled, "ab", Rect(0, 0, 100, 50), c.wordBreak);
        EXPECT_EQ(f.rects.Text, c.text) << c.position;
        EXPECT_EQ(f.rects.Glyph, c.glyph) << c.position;
        // The first row of a down arrow of size 3 runs 5 pixels from its left.
        const QStringList rows = f.canvas.Lines("LineTo");
        ASSERT_FALSE(rows.isEmpty()) << c.position;
        EXPECT_EQ(rows.first(), QString("LineTo(%1,%2,%3,%2)").arg(c.arrowX).arg(c.arrowY).arg(c.arrowX + 5))
            << c.position;
    }

    // Disabled: the embossed arrow, first in the highlight one pixel further.
    TLXButtonLayout layout;
    layout.SetAlignment(agTopLeft);
    layout.SetArrow(true);
    GlyphFixture f;
    f.Draw(layout, fxDisabled);
    ASSERT_FALSE(f.canvas.Calls.empty());
    const auto first = std::find_if(f.canvas.Calls.begin(), f.canvas.Calls.end(),
                                    [](const CanvasCall& call) { return call.Name == "LineTo"; });
    ASSERT_NE(first, f.canvas.Calls.end());
    EXPECT_EQ(first->ToString(), "LineTo(34,10,39,10)");
    EXPECT_EQ(first->PenColor, clHighlightText);
}

TEST(LXDrawText, FocusRectanglesAndMeasuring)
{
    struct Case {
        unsigned flags;
        TRect focus;
        bool paints;
    };
    // Text (13, 1, 31, 19), glyph (0, 3, 10, 15) in a target of 100 x 50.
    const Case cases[] = {
        {fxEnabled, Rect(1, 1, 99, 49), true},
        {fxEnabled | gtFocusText, Rect(12, 0, 32, 20), true},
        {fxEnabled | gtFocusGlyph, Rect(0, 3, 10, 15), true},
        {fxEnabled | gtFocusAll, Rect(-1, 0, 32, 20), true},
        {fxEnabled | gtNoText, Rect(-2, -1, 33, 21), false},
    };
    for (const Case& c : cases) {
        TLXGlyphTextLayout layout;
        GlyphFixture f;
        EXPECT_EQ(f.Draw(layout, c.flags), c.focus) << c.flags;
        EXPECT_EQ(Painted(f.canvas, "DrawText").size(), c.paints ? 1 : 0) << c.flags;
        EXPECT_EQ(f.canvas.Lines("CopyRect").size(), c.paints ? 1 : 0) << c.flags;
    }

    // Measuring places the block at the target's top-left and paints nothing.
    TLXGlyphTextLayout layout;
    layout.SetAlignment(agCenter);
    GlyphFixture f;
    f.Draw(layout, fxEnabled | gtMeasureOnly, "ab", Rect(5, 6, 100, 50));
    EXPECT_TRUE(Painted(f.canvas).isEmpty());
    EXPECT_EQ(f.rects.Text, Rect(17, 6, 35, 24));
    EXPECT_EQ(f.rects.Glyph, Rect(5, 9, 15, 21));
    EXPECT_EQ(f.rects.Bounds, Rect(5, 6, 35, 24));

    // Kept inside: the text rectangle ends at the target's edges.
    GlyphFixture inside;
    inside.Draw(layout, fxEnabled | gtKeepInside, "abcdefghijklmnop", Rect(0, 0, 60, 10));
    EXPECT_EQ(inside.rects.Text.Right, 60);
    EXPECT_EQ(inside.rects.Text.Bottom, 10);
}

TEST(LXDrawText, DisabledGlyphIsEmbossed)
{
    // Fuchsia is the transparent colour (bottom-left); black is set, white is not.
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(ToQColor(clFuchsia));
    image.setPixel(1, 1, qRgb(0, 0, 0));
    image.setPixel(2, 0, qRgb(255, 255, 255));
    TBitmap source;
    source.SetImage(image);
    TBitmap target;
    MakeDisabledGlyph(target, source, 0, 0);
    ASSERT_EQ(target.Width(), 4);
    ASSERT_EQ(target.Height(), 3);
    const QImage result = target.Image();
    EXPECT_EQ(Probe(result, 1, 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Probe(result, 2, 2), ColorToRGB(clBtnHighlight));
    for (QPoint clear : {QPoint(0, 0), QPoint(2, 0), QPoint(3, 1), QPoint(0, 2)})
        EXPECT_EQ(Probe(result, clear.x(), clear.y()), clFuchsia) << clear.x() << "," << clear.y();

    // An empty source leaves the target alone.
    TBitmap untouched = SolidBitmap(2, 2, clRed);
    MakeDisabledGlyph(untouched, TBitmap(), 0, 0);
    EXPECT_EQ(Probe(untouched.Image(), 0, 0), clRed);
}

TEST(LXDrawText, TrueTypeAsksTheScalablePredicate)
{
    SetScalableFontPredicate([](const QFont& font) { return font.family() == "Outline"; });
    TFont font;
    font.SetName("Outline");
    RecordingCanvas canvas;
    canvas.Font.SetName("Raster");
    EXPECT_TRUE(IsTrueTypeFont(font));
    EXPECT_FALSE(IsTrueTypeCanvas(canvas));
    SetScalableFontPredicate({});
    EXPECT_TRUE(IsTrueTypeFont(PinnedFont()));
}

} // namespace
