// The painter canvas on an image, probed in solid areas against the original platform's extents.
#include "Drawing.h"
#include "platform_gui/Bitmap.h"
#include "platform_gui/PainterCanvas.h"

#include <gtest/gtest.h>

#include <functional>

using namespace platform;

namespace {

struct Expect {
    int x, y;
    TColor color;
};

struct PrimitiveCase {
    const char* name;
    std::function<void(TCanvas&)> draw;
    std::vector<Expect> probes;
};

void SetUpInk(TCanvas& canvas)
{
    canvas.Pen.SetColor(clBlack);
    canvas.Brush.SetColor(clRed);
}

} // namespace

TEST(Canvas, PrimitivesKeepTheirExtents)
{
    // Pattern cell: red where x + y is odd, like the library's checker.
    QImage checker(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            checker.setPixelColor(x, y, (x + y) % 2 ? Qt::red : Qt::white);

    const std::vector<PrimitiveCase> cases = {
        {"rectangle: outline on the last column and row inside, not beyond",
         [](TCanvas& c) { c.Rectangle(2, 2, 10, 8); },
         {{2, 2, clBlack}, {9, 7, clBlack}, {10, 7, clWhite}, {9, 8, clWhite}, {5, 5, clRed}}},
        {"rectangle with a clear pen fills one pixel short",
         [](TCanvas& c) {
             c.Pen.SetStyle(TPenStyle::psClear);
             c.Rectangle(2, 2, 10, 8);
         },
         {{2, 2, clRed}, {8, 6, clRed}, {9, 6, clWhite}, {8, 7, clWhite}}},
        {"fill and frame end before right and bottom",
         [](TCanvas& c) {
             c.FillRect({2, 2, 10, 8});
             c.Brush.SetColor(clBlue);
             c.FrameRect({12, 2, 20, 8});
         },
         {{9, 7, clRed},
          {10, 7, clWhite},
          {9, 8, clWhite},
          {19, 7, clBlue},
          {15, 5, clWhite},
          {20, 5, clWhite}}},
        {"lines leave out the end pixel",
         [](TCanvas& c) {
             c.MoveTo(2, 5);
             c.LineTo(10, 5);
             c.MoveTo(3, 10);
             c.LineTo(3, 20);
             c.MoveTo(20, 20);
             c.LineTo(25, 25);
         },
         {{2, 5, clBlack},
          {9, 5, clBlack},
          {10, 5, clWhite},
          {3, 19, clBlack},
          {3, 20, clWhite},
          {24, 24, clBlack},
          {25, 25, clWhite}}},
        {"ellipse fills its bounding rectangle less right and bottom",
         [](TCanvas& c) {
             c.Ellipse({0, 0, 21, 11});
         },
         {{10, 5, clRed},
          {0, 5, clBlack},
          {20, 5, clBlack},
          {21, 5, clWhite},
          {10, 0, clBlack},
          {10, 10, clBlack},
          {10, 11, clWhite},
          {0, 0, clWhite}}},
        {"round rectangle corners are quarter ellipses of the given diameter",
         [](TCanvas& c) {
             c.RoundRect({0, 0, 20, 20}, 8, 8);
         },
         {{0, 0, clWhite},
          {0, 1, clWhite},
          {1, 0, clWhite},
          {10, 0, clBlack},
          {0, 10, clBlack},
          {19, 10, clBlack},
          {20, 10, clWhite},
          {10, 10, clRed},
          {2, 2, clRed}}},
        {"arc runs counter-clockwise from start to end",
         [](TCanvas& c) {
             c.Arc({0, 0, 21, 21}, {20, 10}, {10, 0});
         },
         {{17, 3, clBlack}, {3, 17, clWhite}, {3, 3, clWhite}}},
        {"pattern brush starts at the brush origin",
         [&checker](TCanvas& c) {
             c.Brush.SetBitmap(checker);
             c.BrushOrigin = {1, 0};
             c.FillRect({0, 0, 16, 16});
         },
         {{1, 0, clWhite}, {0, 0, clRed}, {2, 0, clRed}, {9, 0, clWhite}}},
        {"hatch lines over the background colour, or over what is there",
         [](TCanvas& c) {
             c.Brush.SetStyle(TBrushStyle::bsHorizontal);
             c.Brush.SetColor(clBlue);
             c.FillRect({0, 0, 8, 8}); // transparent: the brush made the mode so
             c.BkMode = TBkMode::bmOpaque;
             c.BkColor = clLime;
             c.FillRect({8, 0, 16, 8});
         },
         {{3, 7, clBlue}, {3, 2, clWhite}, {11, 7, clBlue}, {11, 2, clLime}}},
        {"polygon: the pentagram's middle is filled by winding only",
         [](TCanvas& c) {
             const std::vector<TPoint> star = {{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}};
             c.Pen.SetStyle(TPenStyle::psClear);
             c.Polygon(star);
             c.PolyFillMode = TFillMode::fmWinding;
             c.Brush.SetColor(clBlue);
             std::vector<TPoint> moved;
             for (TPoint p : star)
                 moved.push_back({p.X + 40, p.Y});
             c.Polygon(moved);
         },
         {{20, 22, clWhite}, {20, 6, clRed}, {60, 22, clBlue}, {60, 6, clBlue}}},
        {"pixels are set and read",
         [](TCanvas& c) { c.SetPixel(7, 7, clGreen); },
         {{7, 7, clGreen}, {8, 7, clWhite}}},
    };
    for (const PrimitiveCase& test : cases) {
        QImage image = BlankImage(80, 40);
        {
            TPainterCanvas canvas(&image);
            SetUpInk(canvas);
            test.draw(canvas);
            // Reading back through the canvas gives what was painted.
            for (const Expect& probe : test.probes)
                EXPECT_EQ(canvas.Pixel(probe.x, probe.y), probe.color) << test.name;
        }
        for (const Expect& probe : test.probes)
            EXPECT_EQ(Probe(image, probe.x, probe.y), probe.color)
                << test.name << " at " << probe.x << "," << probe.y;
    }
}

TEST(Canvas, DrawEdgeColoursEachSideByItsLayer)
{
    const TColor light = ColorToRGB(cl3DLight), dark = ColorToRGB(cl3DDkShadow),
                 shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clBtnHighlight),
                 face = ColorToRGB(clBtnFace);
    struct Case {
        unsigned edge, flags;
        TColor outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
    };
    const Case cases[] = {
        {BDR_RAISEDOUTER, BF_RECT, light, dark, clWhite, clWhite},
        {BDR_SUNKENOUTER, BF_RECT, shadow, highlight, clWhite, clWhite},
        {BDR_RAISEDINNER, BF_RECT, highlight, shadow, clWhite, clWhite},
        {BDR_SUNKENINNER, BF_RECT, dark, light, clWhite, clWhite},
        {EDGE_RAISED, BF_RECT, light, dark, highlight, shadow},
        {EDGE_SUNKEN, BF_RECT, shadow, highlight, dark, light},
        {EDGE_RAISED, BF_RECT | BF_SOFT, highlight, dark, light, shadow},
        {EDGE_SUNKEN, BF_RECT | BF_FLAT, shadow, shadow, face, face},
        {EDGE_RAISED, BF_RECT | BF_MONO, ColorToRGB(clWindowFrame), ColorToRGB(clWindowFrame),
         ColorToRGB(clWindow), ColorToRGB(clWindow)},
    };
    for (const Case& c : cases) {
        QImage image = BlankImage(20, 20);
        TRect rect{0, 0, 20, 20};
        {
            TPainterCanvas canvas(&image);
            EXPECT_TRUE(canvas.DrawEdge(rect, c.edge, c.flags));
        }
        const auto where = [&](int x, int y) { return Probe(image, x, y); };
        SCOPED_TRACE(testing::Message() << "edge " << c.edge << " flags " << std::hex << c.flags);
        EXPECT_EQ(where(0, 10), c.outerTopLeft);
        EXPECT_EQ(where(10, 0), c.outerTopLeft);
        EXPECT_EQ(where(19, 10), c.outerBottomRight);
        EXPECT_EQ(where(10, 19), c.outerBottomRight);
        EXPECT_EQ(where(19, 0), c.outerBottomRight); // the far corners belong to the bottom-right colour
        EXPECT_EQ(where(0, 19), c.outerBottomRight);
        EXPECT_EQ(where(1, 10), c.innerTopLeft);
        EXPECT_EQ(where(18, 10), c.innerBottomRight);
        EXPECT_EQ(where(10, 10), clWhite);
        EXPECT_EQ(rect, (TRect{0, 0, 20, 20})); // no adjust asked
    }
}

TEST(Canvas, DrawEdgeAdjustsByTheEdgesDrawnAndFillsTheMiddle)
{
    QImage image = BlankImage(20, 20);
    TPainterCanvas canvas(&image);
    TRect both{0, 0, 20, 20};
    canvas.DrawEdge(both, EDGE_RAISED, BF_RECT | BF_ADJUST | BF_MIDDLE);
    EXPECT_EQ(both, (TRect{2, 2, 18, 18}));
    TRect sides{0, 0, 20, 20};
    canvas.DrawEdge(sides, BDR_SUNKENOUTER, BF_LEFT | BF_TOP | BF_ADJUST);
    EXPECT_EQ(sides, (TRect{1, 1, 20, 20}));
    canvas.Release();
    EXPECT_EQ(Probe(image, 10, 10), ColorToRGB(clBtnFace));
}

TEST(Canvas, DrawTextFlagsPlaceTheInk)
{
    const auto inkOf = [](const QString& text, TRect rect, unsigned format, int* answer = nullptr) {
        QImage image = BlankImage(200, 60);
        TPainterCanvas canvas(&image);
        canvas.Font = PinnedFont();
        canvas.Brush.SetStyle(TBrushStyle::bsClear);
        const int height = canvas.DrawText(text, rect, format);
        if (answer)
            *answer = height;
        canvas.Release();
        return InkBounds(image);
    };
    const TRect box{0, 0, 200, 60};
    const QRect centred = inkOf("Hxg", box, DT_SINGLELINE | DT_VCENTER);
    EXPECT_NEAR(centred.center().y(), 30, 4);
    const QRect top = inkOf("Hxg", box, DT_VCENTER); // vertical centring needs a single line
    EXPECT_LT(top.top(), 6);
    const QRect bottom = inkOf("Hxg", box, DT_SINGLELINE | DT_BOTTOM);
    EXPECT_GT(bottom.bottom(), 52);
    const QRect right = inkOf("Hxg", box, DT_SINGLELINE | DT_RIGHT);
    EXPECT_GT(right.right(), 195);

    // "&" underlines the next character, "&&" is one "&", and nothing is underlined without prefixes.
    const QRect plain = inkOf("Save", box, DT_SINGLELINE);
    const QRect underlined = inkOf("&Save", box, DT_SINGLELINE);
    EXPECT_LE(underlined.left(), plain.left()); // the line starts at the cell, the letter a bit in
    EXPECT_EQ(underlined.right(), plain.right());
    EXPECT_GT(underlined.bottom(), plain.bottom());
    EXPECT_EQ(inkOf("&Save", box, DT_SINGLELINE | DT_HIDEPREFIX), plain);
    EXPECT_EQ(inkOf("a&&b", box, DT_SINGLELINE), inkOf("a&b", box, DT_SINGLELINE | DT_NOPREFIX));

    // Tab stops every eight average character widths.
    QImage probe(1, 1, QImage::Format_RGB32);
    TPainterCanvas measurer(&probe);
    measurer.Font = PinnedFont();
    const int stop = 8 * measurer.TextMetrics().AveCharWidth;
    const QRect tabbed = inkOf("\tl", box, DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_NEAR(tabbed.left(), stop, 2);

    // Measuring sets the rectangle and paints nothing.
    TRect measured{10, 5, 200, 60};
    int height = 0;
    EXPECT_TRUE(inkOf("Hello", measured, DT_CALCRECT | DT_SINGLELINE, &height).isNull());
    QImage sheet = BlankImage(1, 1);
    TPainterCanvas canvas(&sheet);
    canvas.Font = PinnedFont();
    canvas.DrawText("Hello", measured, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(measured, (TRect{10, 5, 10 + canvas.TextWidth("Hello"), 5 + canvas.TextMetrics().Height}));
    EXPECT_EQ(height, canvas.TextMetrics().Height);
}

TEST(Canvas, TextOutBackgroundAndEscapement)
{
    QImage image = BlankImage(200, 200);
    {
        TPainterCanvas canvas(&image);
        canvas.Font = PinnedFont();
        canvas.Brush.SetColor(clYellow); // an opaque background of the brush colour
        canvas.TextOut(10, 10, "  ");
        canvas.Brush.SetStyle(TBrushStyle::bsClear);
        canvas.TextOut(10, 40, "  ");
    }
    EXPECT_EQ(Probe(image, 12, 14), clYellow);
    EXPECT_EQ(Probe(image, 12, 44), clWhite);

    QImage turned = BlankImage(200, 200);
    {
        TPainterCanvas canvas(&turned);
        canvas.Font = PinnedFont();
        canvas.Font.SetEscapement(900);
        canvas.Brush.SetStyle(TBrushStyle::bsClear);
        canvas.TextOut(50, 150, "Hello");
    }
    // Turned a quarter counter-clockwise about the top-left of the cell: the text runs upward from
    // (50, 150) and its cell lies to the right of x = 50.
    const QRect ink = InkBounds(turned);
    EXPECT_GT(ink.height(), ink.width());
    EXPECT_GE(ink.left(), 50);
    EXPECT_LE(ink.bottom(), 150);
    EXPECT_LT(ink.top(), 130);
}

TEST(Canvas, BitmapCopiesStretchMaskAndKeyOut)
{
    QImage source(2, 2, QImage::Format_RGB32);
    source.setPixelColor(0, 0, Qt::red);
    source.setPixelColor(1, 0, Qt::blue);
    source.setPixelColor(0, 1, Qt::green);
    source.setPixelColor(1, 1, Qt::magenta);
    QImage mask(2, 2, QImage::Format_RGB32);
    mask.fill(Qt::white);
    mask.setPixelColor(0, 0, Qt::black);

    QImage image = BlankImage(30, 10);
    {
        TPainterCanvas canvas(&image);
        canvas.CopyRect({0, 0, 4, 4}, source, {0, 0, 2, 2});
        canvas.CopyTransparent({10, 0, 12, 2}, source, {0, 0, 2, 2}, clFuchsia);
        canvas.CopyMasked({20, 0, 22, 2}, source, {0, 0, 2, 2}, mask);
    }
    // Nearest neighbour: each source pixel becomes a 2 x 2 block.
    EXPECT_EQ(Probe(image, 1, 1), clRed);
    EXPECT_EQ(Probe(image, 2, 1), clBlue);
    EXPECT_EQ(Probe(image, 3, 3), clFuchsia);
    EXPECT_EQ(Probe(image, 4, 0), clWhite);
    EXPECT_EQ(Probe(image, 10, 0), clRed);
    EXPECT_EQ(Probe(image, 11, 1), clWhite); // the key colour left out
    EXPECT_EQ(Probe(image, 20, 0), clRed);   // black mask pixel takes the source
    EXPECT_EQ(Probe(image, 21, 0), clWhite); // white ones keep what was there
}

TEST(Canvas, ClipFocusRectAndExclusiveOrPen)
{
    QImage image = BlankImage(20, 20);
    {
        TPainterCanvas canvas(&image);
        canvas.SetClipRect({5, 5, 10, 10});
        canvas.Brush.SetColor(clRed);
        canvas.FillRect({0, 0, 20, 20});
        canvas.RemoveClip();
        canvas.DrawFocusRect({0, 0, 4, 4});
        canvas.DrawFocusRect({12, 12, 16, 16});
        canvas.DrawFocusRect({12, 12, 16, 16}); // twice takes it away again
        canvas.Pen.SetMode(TPenMode::pmXor);
        canvas.Pen.SetColor(clWhite);
        canvas.MoveTo(0, 18);
        canvas.LineTo(20, 18);
    }
    EXPECT_EQ(Probe(image, 4, 4), clWhite);
    EXPECT_EQ(Probe(image, 5, 5), clRed);
    EXPECT_EQ(Probe(image, 9, 9), clRed);
    EXPECT_EQ(Probe(image, 10, 9), clWhite);
    EXPECT_EQ(Probe(image, 0, 0), clBlack);
    EXPECT_EQ(Probe(image, 1, 0), clWhite);
    EXPECT_EQ(Probe(image, 2, 0), clBlack);
    EXPECT_EQ(InkBounds(image.copy(11, 11, 6, 6)), QRect());
    EXPECT_EQ(Probe(image, 3, 18), clBlack); // white exclusive-or white
}

TEST(Canvas, PaintsOnAWidgetPainterWithinItsClip)
{
    QImage image = BlankImage(20, 20);
    QPainter painter(&image);
    painter.setClipRect(0, 0, 10, 20);
    {
        TPainterCanvas canvas(&painter);
        canvas.Brush.SetColor(clBlue);
        canvas.SetClipRect({5, 0, 20, 20}); // narrowed within the painter's own clip
        canvas.FillRect({0, 0, 20, 20});
        EXPECT_EQ(canvas.Pixel(7, 7), clBlue);
    }
    painter.end();
    EXPECT_EQ(Probe(image, 4, 4), clWhite);
    EXPECT_EQ(Probe(image, 7, 4), clBlue);
    EXPECT_EQ(Probe(image, 12, 4), clWhite);
}
