// Fonts, pens, brushes and colours of the canvas, and DrawText's layout measured with fixed metrics.
#include "RecordingCanvas.h"
#include "platform_gui/Font.h"
#include "platform_gui/TextLayout.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(DrawingColours, SystemColoursCompareInEitherForm)
{
    EXPECT_TRUE(SameColor(clBtnFace, SystemColor(15)));
    EXPECT_TRUE(SameColor(SystemColor(15), clBtnFace));
    EXPECT_TRUE(SameColor(0x123456, 0x123456));
    EXPECT_FALSE(SameColor(clBtnFace, clBtnShadow));
    EXPECT_FALSE(SameColor(clBtnFace, ColorToRGB(clBtnFace))); // a plain value is not the system colour
    EXPECT_FALSE(SameColor(clNone, clWhite));
    EXPECT_EQ(ColorToRGB(clBtnShadow), 0x808080);
    EXPECT_EQ(ColorToRGB(0x01ABCDEF), 0xABCDEF);
    EXPECT_EQ(ToQColor(clNone).alpha(), 0); // no colour paints nothing
    EXPECT_EQ(ToQColor(clBtnFace), ToQColor(SystemColor(15)));
}

TEST(DrawingFonts, SizesMapAtNinetySixDotsPerInchAndCopiesKeepTheirHandler)
{
    EXPECT_EQ(MakeQFont("DejaVu Sans", 8, 0).pixelSize(), 11);
    EXPECT_EQ(MakeQFont("DejaVu Sans", 9, 0).pixelSize(), 12);
    EXPECT_EQ(MakeQFont("DejaVu Sans", -13, fsBold | fsItalic).pixelSize(), 13);
    EXPECT_TRUE(MakeQFont("DejaVu Sans", 8, fsBold | fsUnderline).underline());

    TFont font;
    int changes = 0;
    font.OnChange = [&] { ++changes; };
    font.SetSize(10);
    font.SetSize(10); // the same value fires nothing
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(font.Height(), -13);
    font.SetHeight(20);
    EXPECT_EQ(font.Size(), -20);
    EXPECT_EQ(font.ToQFont().pixelSize(), 20);

    TFont other(font);
    EXPECT_FALSE(static_cast<bool>(other.OnChange));
    other.SetColor(clRed);
    font = other; // assignment takes the settings and fires the target's handler once
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(font.Color(), clRed);
    EXPECT_TRUE(static_cast<bool>(font.OnChange));
}

TEST(DrawingFonts, ScalableQuestionIsInjectable)
{
    TFont font;
    font.SetName("DejaVu Sans");
    EXPECT_TRUE(IsScalableFont(font));
    SetScalableFontPredicate([](const QFont&) { return false; });
    EXPECT_FALSE(IsScalableFont(font));
    SetScalableFontPredicate({});
    EXPECT_TRUE(IsScalableFont(font));
}

TEST(DrawingTools, BrushSetsTheTextBackground)
{
    RecordingCanvas canvas;
    canvas.Brush.SetColor(clYellow);
    EXPECT_EQ(canvas.BkColor, clYellow);
    EXPECT_EQ(canvas.BkMode, TBkMode::bmOpaque);
    canvas.Brush.SetStyle(TBrushStyle::bsClear);
    EXPECT_EQ(canvas.BkMode, TBkMode::bmTransparent);
    canvas.Brush.SetColor(clRed); // a colour makes a clear brush solid again
    EXPECT_EQ(canvas.Brush.Style(), TBrushStyle::bsSolid);
    EXPECT_EQ(canvas.BkMode, TBkMode::bmOpaque);
    canvas.Pen.SetWidth(0);
    EXPECT_EQ(canvas.Pen.Width(), 1);
}

TEST(DrawTextLayout, FixedMetricsGiveExactPlaces)
{
    // Each character 8 x 16; average width 8, so tab stops every 64 pixels.
    struct Case {
        const char* name;
        QString text;
        TRect rect;
        unsigned format;
        QStringList runs;
        int answer;
    };
    const Case cases[] = {
        {"left, top", "abc", {10, 20, 110, 60}, DT_LEFT, {"TextRun(10,20,-1;abc)"}, 16},
        {"centred both ways on one line",
         "abc",
         {0, 0, 100, 40},
         DT_CENTER | DT_VCENTER | DT_SINGLELINE,
         {"TextRun(38,12,-1;abc)"},
         28},
        {"bottom right on one line",
         "abc",
         {0, 0, 100, 40},
         DT_RIGHT | DT_BOTTOM | DT_SINGLELINE,
         {"TextRun(76,24,-1;abc)"},
         40},
        {"vertical centre ignored on several lines",
         "abc",
         {0, 0, 100, 40},
         DT_VCENTER,
         {"TextRun(0,0,-1;abc)"},
         16},
        {"line ends break lines",
         "ab\r\ncd\nef",
         {0, 0, 100, 100},
         0,
         {"TextRun(0,0,-1;ab)", "TextRun(0,16,-1;cd)", "TextRun(0,32,-1;ef)"},
         48},
        {"prefix underlines, && is one &",
         "&Save && go",
         {0, 0, 200, 20},
         DT_SINGLELINE,
         {"TextRun(0,0,0;Save & go)"},
         16},
        {"no prefix keeps every &", "&Save", {0, 0, 200, 20}, DT_NOPREFIX, {"TextRun(0,0,-1;&Save)"}, 16},
        {"hidden prefix", "&Save", {0, 0, 200, 20}, DT_HIDEPREFIX, {"TextRun(0,0,-1;Save)"}, 16},
        {"words break at blanks",
         "one two three",
         {0, 0, 60, 100},
         DT_WORDBREAK,
         {"TextRun(0,0,-1;one two)", "TextRun(0,16,-1;three)"},
         32},
        {"a word too long stays whole",
         "abcdefghij x",
         {0, 0, 40, 100},
         DT_WORDBREAK,
         {"TextRun(0,0,-1;abcdefghij)", "TextRun(0,16,-1;x)"},
         32},
        {"tabs expand to stops",
         "a\tb\tc",
         {0, 0, 300, 20},
         DT_EXPANDTABS,
         {"TextRun(0,0,-1;a)", "TextRun(64,0,-1;b)", "TextRun(128,0,-1;c)"},
         16},
        {"end ellipsis", "abcdefghij", {0, 0, 48, 20}, DT_END_ELLIPSIS, {"TextRun(0,0,-1;abc...)"}, 16},
        {"path ellipsis keeps the last part",
         "/music/rock/song.mp3",
         {0, 0, 120, 20},
         DT_PATH_ELLIPSIS,
         {"TextRun(0,0,-1;/mu.../song.mp3)"},
         16},
        {"edit control drops a partly visible last line",
         "a\nb\nc",
         {0, 0, 100, 40},
         DT_EDITCONTROL,
         {"TextRun(0,0,-1;a)", "TextRun(0,16,-1;b)"},
         32},
        {"empty text paints nothing", "", {0, 0, 100, 40}, 0, {}, 0},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        TRect rect = c.rect;
        EXPECT_EQ(canvas.DrawText(c.text, rect, c.format), c.answer) << c.name;
        EXPECT_EQ(canvas.Lines("TextRun"), c.runs) << c.name;
        EXPECT_EQ(rect, c.rect) << c.name;
    }
}

TEST(DrawTextLayout, CalculateSetsTheRectangleAndPaintsNothing)
{
    RecordingCanvas canvas;
    TRect rect{5, 5, 45, 5};
    EXPECT_EQ(canvas.DrawText("one two three", rect, DT_CALCRECT | DT_WORDBREAK), 48);
    EXPECT_EQ(rect, (TRect{5, 5, 45, 53})); // three lines of at most five characters
    EXPECT_TRUE(canvas.Lines("TextRun").isEmpty());
    rect = {0, 0, 10, 10};
    canvas.DrawText("a long line", rect, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(rect, (TRect{0, 0, 88, 16})); // measured whole
    EXPECT_EQ(canvas.Lines("DrawText").size(), 2);
}

TEST(DrawTextLayout, RecordedEdgesStillAdjust)
{
    RecordingCanvas canvas;
    TRect rect{0, 0, 10, 10};
    canvas.DrawEdge(rect, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    EXPECT_EQ(rect, (TRect{2, 2, 8, 8}));
    EXPECT_EQ(canvas.Lines(), QStringList{"DrawEdge(0,0,10,10,10,8207)"});
}
