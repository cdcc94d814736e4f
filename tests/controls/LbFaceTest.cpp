#include "controls/LbFace.h"
#include "Drawing.h"
#include "RecordingCanvas.h"
#include "controls/LbButton.h"
#include "controls/LbStockGlyphs.h"
#include "platform_gui/PainterCanvas.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

constexpr TColor Bgr(int r, int g, int b)
{
    return (b << 16) | (g << 8) | r;
}

TEST(LbFace, FaceColourFadesFromTheHotColourInEighths)
{
    // clBtnFace (212, 208, 200) drawn towards black: the whole part of each channel.
    const TColor expected[] = {Bgr(212, 208, 200), Bgr(185, 182, 175), Bgr(159, 156, 150),
                               Bgr(132, 130, 125), Bgr(106, 104, 100), Bgr(79, 78, 75),
                               Bgr(53, 52, 50),    Bgr(26, 26, 25),    Bgr(0, 0, 0)};
    for (int level = 0; level <= 8; ++level)
        EXPECT_EQ(LbFaceColor(clBtnFace, clBlack, level, true, false, clNone), expected[level]) << level;

    // Disabled or without a hot colour the face keeps its colour; pressed takes the down colour.
    EXPECT_EQ(LbFaceColor(clBtnFace, clBlack, 8, false, false, clNone), Bgr(212, 208, 200));
    EXPECT_EQ(LbFaceColor(0x123456, clNone, 8, true, false, clNone), 0x123456);
    EXPECT_EQ(LbFaceColor(0x123456, clBlack, 8, true, true, 0x00FF00), 0x00FF00);
    EXPECT_EQ(LbFaceColor(0x123456, clNone, 0, false, true, 0x00FF00), 0x123456);
}

TEST(LbFace, GlyphCellOfEachState)
{
    struct State {
        bool hot, pressed, enabled;
    };
    const State normal{false, false, true}, disabled{false, false, false}, pressed{false, true, true},
        hot{true, false, true}, hotPressed{true, true, true};
    const struct {
        State state;
        int cells[4]; // for NumGlyphs 1 to 4
    } cases[] = {
        {normal, {0, 0, 0, 0}}, {disabled, {0, 1, 1, 1}},   {pressed, {0, 0, 2, 2}},
        {hot, {0, 0, 0, 3}},    {hotPressed, {0, 0, 2, 2}},
    };
    for (const auto& c : cases)
        for (int n = 1; n <= 4; ++n)
            EXPECT_EQ(LbGlyphCell(n, c.state.hot, c.state.pressed, c.state.enabled), c.cells[n - 1])
                << n << " glyphs, hot " << c.state.hot << " pressed " << c.state.pressed << " enabled "
                << c.state.enabled;
}

TEST(LbFace, ColourStylesWriteTheirPresetAndReadBackCustom)
{
    const struct {
        TLbColorStyle style;
        TColor color, light, shadow, down, hot;
        bool flat;
        TLbButtonStyle face;
        TColor font;
    } cases[] = {
        {lcsGold, 0x00C0C0, 0x00FFFF, 0x008080, clNone, 0x00DFDF, false, bsModern, clBlack},
        {lcsChrome, 0xC0C0C0, 0xFFFFFF, 0x808080, clNone, clNone, false, bsModern, clBlack},
        {lcsBlue, 0xFF8000, 0xFFFF00, 0xFF0000, clNone, clNone, false, bsModern, clBlack},
        {lcsRed, 0x0000FF, 0xC0C0FF, 0x0000C0, clNone, clNone, false, bsModern, clBlack},
        {lcsUltraFlat1, clBtnFace, 0xB59284, 0xB59284, 0xB59284, 0xDED3D6, true, bsNormal, clBlack},
        {lcsUltraFlat2, clBtnFace, 0x000000, 0x000000, 0x24DABC, 0x8CF6E4, true, bsNormal, clBlack},
        {lcsUltraFlatXP, 0xD1D8DB, 0xB59284, 0xB59285, 0xB59285, 0xD2BDB6, true, bsNormal, clBlack},
        {lcsAqua, 0xECCE94, 0xFCE6D4, 0x000000, clNone, clNone, false, bsModern, clBlack},
        {lcsDefault, clBtnFace, 0xFFFFFF, 0x808080, clNone, clNone, false, bsNormal, clBlack},
        {lcsQuicken, 0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529, 0xCEAE9C, false, bsQuicken, clWhite},
        {lcsKDE, clBtnFace, 0xFFFFFF, clBtnFace, clBtnFace, 0xFFFFFF, false, bsKDE, clBlack},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        TLbButton button;
        button.SetColorStyle(c.style);
        EXPECT_EQ(button.ColorStyle(), lcsCustom);
        EXPECT_EQ(button.Color(), c.color);
        EXPECT_EQ(button.LightColor(), c.light);
        EXPECT_EQ(button.ShadowColor(), c.shadow);
        EXPECT_EQ(button.ColorWhenDown(), c.down);
        EXPECT_EQ(button.HotTrackColor(), c.hot);
        EXPECT_EQ(button.Flat(), c.flat);
        EXPECT_EQ(button.Style(), c.face);
        EXPECT_EQ(button.Font().Color(), c.font);
    }
    // Custom writes nothing.
    TLbButton button;
    button.SetColor(0x123456);
    button.SetColorStyle(lcsCustom);
    EXPECT_EQ(button.Color(), 0x123456);
}

TEST(LbFace, CaptionIsCutLetterByLetterWithoutWordWrap)
{
    RecordingCanvas canvas(8, 16); // every letter 8 wide
    TLbFace face;
    face.Width = 60; // room for (60 - 8) / 8 = 6 letters
    face.Height = 23;
    face.Caption = QStringLiteral("Borrar fichero");
    PaintLbFace(canvas, face);
    QStringList cut;
    for (const CanvasCall& call : canvas.Calls)
        if (call.Name == "TextRun")
            cut << call.Text;
    EXPECT_EQ(cut, QStringList{"Borrar"});

    // With word wrap the caption keeps every letter, on two lines.
    RecordingCanvas wrapped(8, 16);
    face.WordWrap = true;
    PaintLbFace(wrapped, face);
    QStringList runs;
    for (const CanvasCall& call : wrapped.Calls)
        if (call.Name == "TextRun")
            runs << call.Text;
    EXPECT_EQ(runs, (QStringList{"Borrar", "fichero"}));
}

TEST(LbFace, GlyphAndCaptionPlaces)
{
    TBitmap glyph(32, 16); // two cells of 16
    const struct {
        TLbButtonLayout layout;
        TLbAlignment alignment;
        bool pressed;
        QString glyphAt; // "x,y"
        QString textBox; // the caption's box as left,top
    } cases[] = {
        // 100 x 40, caption "OK" 16 x 16 at 8 per letter; box width 100 - 16 - 12 = 72 beside a glyph.
        {blGlyphLeft, taLeftJustify, false, "4,12", "24,12"},
        {blGlyphLeft, taCenter, false, "32,12", "24,12"},
        {blGlyphLeft, taCenter, true, "33,13", "25,13"},
        {blGlyphRight, taRightJustify, false, "80,12", "4,12"},
        // Above and below: block 16 + 16 + 4 = 36, top (40 - 36) / 2 = 2.
        {blGlyphTop, taCenter, false, "42,2", "4,18"},
        {blGlyphBottom, taLeftJustify, false, "4,18", "4,2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString("layout %1 alignment %2 pressed %3")
                         .arg(c.layout)
                         .arg(c.alignment)
                         .arg(c.pressed)
                         .toStdString());
        RecordingCanvas canvas(8, 16);
        TLbFace face;
        face.Width = 100;
        face.Height = 40;
        face.Caption = QStringLiteral("OK");
        face.Layout = c.layout;
        face.Alignment = c.alignment;
        face.Pressed = c.pressed;
        face.Glyph = &glyph;
        face.NumGlyphs = 2;
        PaintLbFace(canvas, face);
        const QStringList copies = canvas.Lines("CopyTransparent");
        ASSERT_EQ(copies.size(), 1);
        EXPECT_TRUE(copies[0].startsWith("CopyTransparent(" + c.glyphAt + ",")) << copies[0].toStdString();
        // The caption's box is the last DrawText (after the two measurements).
        const QStringList texts = canvas.Lines("DrawText");
        ASSERT_FALSE(texts.isEmpty());
        EXPECT_TRUE(texts.back().startsWith("DrawText(" + c.textBox + ",")) << texts.back().toStdString();
    }
}

// A flat bsNormal button painted into an image: no frame at rest, a frame when hot, and light and
// shadow swapped while pressed.
TEST(LbFace, FlatNormalFramePixels)
{
    const auto paint = [](bool hot, bool pressed) {
        QImage image = BlankImage(40, 20);
        TLbFace face;
        face.Width = 40;
        face.Height = 20;
        face.Color = clBlue;
        face.LightColor = clLime;
        face.ShadowColor = clRed;
        face.Flat = true;
        face.HotInput = hot;
        face.Pressed = pressed;
        {
            TPainterCanvas canvas(&image);
            PaintLbFace(canvas, face);
        }
        return image;
    };
    const struct {
        bool hot, pressed;
        TColor left, right; // mid-height of the left and right edges
    } cases[] = {
        {false, false, clBlue, clBlue},
        {true, false, clLime, clRed},
        {false, true, clRed, clLime},
    };
    for (const auto& c : cases) {
        const QImage image = paint(c.hot, c.pressed);
        EXPECT_EQ(Probe(image, 0, 10), c.left) << c.hot << c.pressed;
        EXPECT_EQ(Probe(image, 20, 0), c.left) << c.hot << c.pressed;
        EXPECT_EQ(Probe(image, 39, 10), c.right) << c.hot << c.pressed;
        EXPECT_EQ(Probe(image, 20, 19), c.right) << c.hot << c.pressed;
        EXPECT_EQ(Probe(image, 10, 10), clBlue); // the face inside
    }
}

// Each of the other styles paints, and its fill shows where the style fills.
TEST(LbFace, OtherStylesFillWhereTheyFill)
{
    const struct {
        TLbButtonStyle style;
        int x, y;
        TColor color;
    } cases[] = {
        {bsEncarta, 20, 10, clBlue}, {bsOld, 20, 10, clBlue},
        {bsModern, 20, 6, clBlue},   // the upper gradient ends at the face colour
        {bsKDE, 20, 10, 0xFF00FF},   // not hot: a gradient from light to shadow, both magenta here
        {bsShape, 20, 10, 0xFF00FF}, // the magenta key
        {bsQuicken, 20, 10, clBlue},
    };
    for (const auto& c : cases) {
        QImage image = BlankImage(40, 30, clWhite);
        TLbFace face;
        face.Width = 40;
        face.Height = 30;
        face.Color = clBlue;
        face.LightColor = 0xFF00FF;
        face.ShadowColor = 0xFF00FF;
        face.Style = c.style;
        {
            TPainterCanvas canvas(&image);
            PaintLbFace(canvas, face);
        }
        EXPECT_EQ(Probe(image, c.x, c.y), c.color) << c.style;
    }
}

TEST(LbFace, StockKindsSetCaptionModalResultAndTwoGlyphCells)
{
    const struct {
        TLbButtonKind kind;
        int modalResult;
        const char* caption;
    } cases[] = {
        {bkOK, 1, "&OK"},           {bkCancel, 2, "&Abbrechen"},  {bkHelp, 0, "&Hilfe"},
        {bkYes, 6, "&Ja"},          {bkNo, 7, "&Nein"},           {bkClose, 0, "&Schließen"},
        {bkAbort, 3, "&Abbrechen"}, {bkRetry, 4, "&Wiederholen"}, {bkIgnore, 5, "&Ignorieren"},
        {bkAll, 8, "A&lle"},
    };
    for (const auto& c : cases) {
        TLbButton button;
        button.SetKind(c.kind);
        EXPECT_EQ(button.Kind(), c.kind);
        EXPECT_EQ(button.ModalResult(), c.modalResult);
        EXPECT_EQ(button.Caption(), QString::fromUtf8(c.caption));
        EXPECT_EQ(button.NumGlyphs(), 2);
        EXPECT_EQ(button.Glyph().Width(), 2 * button.Glyph().Height());
        // The normal and disabled cells differ.
        const QImage image = button.Glyph().Image();
        const QImage normal = image.copy(0, 0, 16, 16);
        const QImage disabled = image.copy(16, 0, 16, 16);
        EXPECT_NE(normal, disabled) << c.caption;
    }
    // Setting a glyph or a modal result makes the button custom again.
    TLbButton button;
    button.SetKind(bkOK);
    button.SetModalResult(2);
    EXPECT_EQ(button.Kind(), bkCustom);
    button.SetKind(bkYes);
    button.SetGlyph(TBitmap(48, 16));
    EXPECT_EQ(button.Kind(), bkCustom);
    EXPECT_EQ(button.NumGlyphs(), 3);
    EXPECT_FALSE(LbStockGlyph(LbArrowGlyph).Empty());
}

} // namespace
