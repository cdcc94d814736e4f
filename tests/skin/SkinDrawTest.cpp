#include "skin/core/SkinDraw.h"
#include "SkinCellImages.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

using namespace skinbuilder;

namespace {

constexpr QRgb Background = 0xFF102030;

QImage Canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Background);
    return image;
}

QImage Painted(int width, int height, const std::function<void(QPainter&)>& paint)
{
    QImage image = Canvas(width, height);
    QPainter painter(&image);
    paint(painter);
    return image;
}

// An image whose pixel (x, y) is the given colour.
QImage Pixels(int width, int height, const std::function<QRgb(int, int)>& colour)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, colour(x, y));
    return image;
}

QMargins Margins(const Edges& edges)
{
    return {edges.left, edges.top, edges.right, edges.bottom};
}

// What a frame of cell k drawn at the size must show: the signature of each part at its place.
QImage ExpectedFrame(int objectId, int k, QSize size, const Edges& edges)
{
    const ImageLayout layout = CellLayout(objectId, k, size, edges);
    return SignatureImage(layout).copy(layout.Cell(k));
}

void ExpectSamePixels(const QImage& actual, const QImage& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            ASSERT_EQ(actual.pixel(x, y), expected.pixel(x, y)) << x << "," << y;
}

TEST(SkinFrameBitmap, CornersKeepTheirSizeAndEdgesStretchAlongOneAxis)
{
    const Edges edges{3, 2, 4, 5};
    struct Case {
        const char* what;
        QSize target;
        bool stacked;
        int n;
        int k;
        int cellShown;
    };
    const Case cases[] = {
        {"larger", {40, 30}, false, 2, 1, 1},       {"same size", {20, 16}, false, 2, 2, 2},
        {"stacked cells", {33, 21}, true, 2, 2, 2}, {"cell beyond the count", {25, 25}, false, 2, 6, 2},
        {"cell 0", {25, 25}, false, 2, 0, 1},       {"exactly both edges wide", {7, 7}, false, 2, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage image = SignatureImage(CellLayout(1, 2, {20, 16}, edges, c.stacked));
        const QImage frame = SkinFrameBitmap(c.target, image, Margins(edges), c.stacked, false, c.n, c.k);
        ExpectSamePixels(frame, ExpectedFrame(1, c.cellShown, c.target, edges));
    }
}

TEST(SkinFrameBitmap, TargetSmallerThanTwoEdgesDropsBoth)
{
    // Cell 20 × 16 with edges 3, 2, 4, 5: kept, the side edges would meet at column 2 or 3.
    const QMargins edges(3, 2, 4, 5);
    const QImage image = SignatureImage(CellLayout(1, 1, {20, 16}, {3, 2, 4, 5}));
    const QImage narrow = SkinFrameBitmap({6, 30}, image, edges, false, false, 1, 1);
    EXPECT_EQ(narrow.pixel(2, 15), Signature(1, 1, CellPart::Centre));
    EXPECT_EQ(narrow.pixel(3, 15), Signature(1, 1, CellPart::Centre));
    EXPECT_EQ(narrow.pixel(3, 0), Signature(1, 1, CellPart::Edge)); // the top edge, 2 rows, stays
    EXPECT_EQ(narrow.pixel(3, 29), Signature(1, 1, CellPart::Edge));
    const QImage low = SkinFrameBitmap({40, 6}, image, edges, false, false, 1, 1);
    EXPECT_EQ(low.pixel(20, 2), Signature(1, 1, CellPart::Centre));
    EXPECT_EQ(low.pixel(20, 3), Signature(1, 1, CellPart::Centre));
    EXPECT_EQ(low.pixel(1, 3), Signature(1, 1, CellPart::Edge));
}

TEST(SkinFrameBitmap, CountsBelowOneHugeEdgesAndEmptyTargetsDoNotFail)
{
    const QImage image = SignatureImage(CellLayout(2, 1, {10, 10}, {2, 2, 2, 2}));
    EXPECT_EQ(SkinFrameBitmap({12, 12}, image, {2, 2, 2, 2}, false, false, 0, 1).pixel(6, 6),
              Signature(2, 1, CellPart::Centre));
    EXPECT_EQ(SkinFrameBitmap({12, 12}, image, {2, 2, 2, 2}, false, true, -3, -3).pixel(0, 0),
              Signature(2, 1, CellPart::Corner));
    EXPECT_TRUE(SkinFrameBitmap({0, 12}, image, {}, false, false, 1, 1).isNull());
    const int huge = std::numeric_limits<int>::max();
    EXPECT_EQ(SkinFrameBitmap({12, 12}, image, {huge, huge, huge, huge}, false, false, 1, 1).pixel(6, 6),
              Signature(2, 1, CellPart::Centre));
    EXPECT_EQ(SkinFrameBitmap({5, 5}, QImage(), {1, 1, 1, 1}, false, false, 1, 1).size(), QSize(5, 5));
}

TEST(SkinFrameBitmap, TiledCentreRepeatsWithoutASeam)
{
    // Edges of 2; the centre is 3 × 2 pixels, each of its own colour.
    const Edges edges{2, 2, 2, 2};
    const auto centreColour = [](int cx, int cy) { return qRgb(100 + cx, 50 + cy, 0); };
    QImage image = SignatureImage(CellLayout(1, 1, {7, 6}, edges));
    for (int y = 2; y < 4; ++y)
        for (int x = 2; x < 5; ++x)
            image.setPixel(x, y, centreColour(x - 2, y - 2));
    const QSize target(15, 12); // a centre of 11 × 8: the tiles end 1 column and 0 rows past it
    QImage expected = ExpectedFrame(1, 1, target, edges);
    for (int y = 2; y < 10; ++y)
        for (int x = 2; x < 13; ++x)
            expected.setPixel(x, y, centreColour((x - 2) % 3, (y - 2) % 2));
    ExpectSamePixels(SkinFrameBitmap(target, image, Margins(edges), false, true, 1, 1), expected);
}

TEST(TileDraw, RunsWholeCopiesPastTheTarget)
{
    const QImage piece = Pixels(2, 2, [](int x, int y) { return qRgb(10 * x, 10 * y, 200); });
    const QImage canvas =
        Painted(8, 8, [&](QPainter& p) { TileDraw(p, QRect(1, 1, 5, 5), piece, piece.rect()); });
    EXPECT_EQ(canvas.pixel(6, 6), qRgb(10, 10, 200)); // the third copy reaches column and row 6
    EXPECT_EQ(canvas.pixel(7, 7), Background);
    EXPECT_EQ(canvas.pixel(0, 0), Background);
    const QImage none =
        Painted(4, 4, [&](QPainter& p) { TileDraw(p, QRect(0, 0, 4, 4), piece, QRect(0, 0, 0, 2)); });
    EXPECT_EQ(none.pixel(1, 1), Background);
}

TEST(DrawSkinFrame, TransparentShowsTheBackgroundThroughMagenta)
{
    const QImage image = Pixels(6, 6, [](int x, int y) { return x < 2 && y < 2 ? Magenta : qRgb(1, 2, 3); });
    const QImage opaque = Painted(10, 10, [&](QPainter& p) {
        DrawSkinFrame(p, QRect(2, 2, 6, 6), image, false, false, false, 1, 1, {});
    });
    const QImage keyed = Painted(10, 10, [&](QPainter& p) {
        DrawSkinFrame(p, QRect(2, 2, 6, 6), image, false, false, true, 1, 1, {});
    });
    EXPECT_EQ(opaque.pixel(2, 2), Magenta);
    EXPECT_EQ(keyed.pixel(2, 2), Background);
    EXPECT_EQ(keyed.pixel(5, 5), qRgb(1, 2, 3));
    EXPECT_EQ(keyed.pixel(1, 1), Background);
    const QImage inverted = Painted(10, 10, [&](QPainter& p) {
        DrawSkinFrame(p, QRect(QPoint(5, 5), QPoint(2, 2)), image, false, false, false, 1, 1, {});
    });
    EXPECT_EQ(inverted.pixel(3, 3), Background);
}

TEST(DrawSkinFrameEdges, LeavesTheCentre)
{
    const QMargins edges(2, 2, 2, 2);
    const QImage image = SignatureImage(CellLayout(3, 2, {8, 8}, {2, 2, 2, 2}));
    const QImage canvas = Painted(
        20, 20, [&](QPainter& p) { DrawSkinFrameEdges(p, QRect(4, 4, 12, 12), image, false, 2, 2, edges); });
    EXPECT_EQ(canvas.pixel(4, 4), Signature(3, 2, CellPart::Corner));
    EXPECT_EQ(canvas.pixel(15, 9), Signature(3, 2, CellPart::Edge));
    EXPECT_EQ(canvas.pixel(10, 10), Background);
    EXPECT_EQ(canvas.pixel(3, 3), Background);
}

TEST(DrawTransparent, OnlyExactMagentaShowsTheBackground)
{
    const QImage bitmap = Pixels(3, 1, [](int x, int) {
        return x == 0 ? Magenta : x == 1 ? qRgb(255, 1, 255) : qRgb(9, 9, 9);
    });
    const QImage canvas = Painted(5, 2, [&](QPainter& p) { DrawTransparent(p, QRect(1, 0, 2, 2), bitmap); });
    EXPECT_EQ(canvas.pixel(1, 0), Background);
    EXPECT_EQ(canvas.pixel(2, 0), qRgb(255, 1, 255));
    EXPECT_EQ(canvas.pixel(3, 0), Background); // beyond the target's width
    EXPECT_EQ(canvas.pixel(2, 1), Background); // beyond the bitmap's height
}

TEST(DrawSkinStrip, CapsStretchDownAndTheMiddleRepeats)
{
    // Cell 2 of 2: a 2-column left cap, a middle of 3 distinct columns, a 1-column right cap, 4 rows.
    const auto cellColour = [](int x, int y) {
        if (x < 2)
            return qRgb(10, y, 1);
        if (x < 5)
            return qRgb(20 + x, y, 2);
        return qRgb(30, y, 3);
    };
    const QImage image = Pixels(12, 4, [&](int x, int y) { return x < 6 ? Magenta : cellColour(x - 6, y); });
    const QImage canvas = Painted(14, 8, [&](QPainter& p) {
        DrawSkinStrip(p, QRect(0, 0, 14, 8), image, false, false, 2, 2, QMargins(2, 0, 1, 0));
    });
    for (int x = 0; x < 14; ++x) {
        const int cellX = x < 2 ? x : x == 13 ? 5 : 2 + (x - 2) % 3;
        EXPECT_EQ(qRed(canvas.pixel(x, 0)), qRed(cellColour(cellX, 0))) << x;
        EXPECT_EQ(qGreen(canvas.pixel(x, 7)), 3) << x; // the last cell row reaches the last strip row
    }

    // A cell no wider than its caps has no middle: nothing of the image between the caps.
    const QImage capsOnly = Pixels(3, 4, [](int x, int) { return x < 2 ? qRgb(10, 0, 1) : qRgb(30, 0, 3); });
    const QImage strip = Painted(10, 4, [&](QPainter& p) {
        DrawSkinStrip(p, QRect(0, 0, 10, 4), capsOnly, false, true, 1, 1, {2, 0, 1, 0});
    });
    EXPECT_EQ(strip.pixel(1, 0), qRgb(10, 0, 1));
    EXPECT_EQ(strip.pixel(9, 0), qRgb(30, 0, 3));
    for (int x = 2; x < 9; ++x) {
        EXPECT_NE(strip.pixel(x, 0), qRgb(10, 0, 1)) << x;
        EXPECT_NE(strip.pixel(x, 0), qRgb(30, 0, 3)) << x;
    }
}

TEST(DrawSkinCell, StretchesTheCellKeptWithinTheCount)
{
    const QImage image = SignatureImage(CellLayout(4, 4, {5, 5}));
    const QImage canvas =
        Painted(12, 12, [&](QPainter& p) { DrawSkinCell(p, QRect(1, 1, 10, 10), image, false, 4, 6); });
    EXPECT_EQ(canvas.pixel(1, 1), Signature(4, 4, CellPart::Centre));
    EXPECT_EQ(canvas.pixel(10, 10), Signature(4, 4, CellPart::Centre));
    EXPECT_EQ(canvas.pixel(11, 11), Background);
}

TEST(DrawSkinCellCentered, CentresTruncatingTowardZero)
{
    struct Case {
        QRect target;
        QPoint cellAt;
    };
    const Case cases[] = {
        {{2, 3, 10, 8}, {4, 5}}, // (10 - 5) / 2 = 2, (8 - 3) / 2 = 2
        {{2, 3, 4, 1}, {2, 2}},  // (4 - 5) / 2 = 0, (1 - 3) / 2 = -1
    };
    const QImage image = Pixels(10, 3, [](int x, int) { return x < 5 ? qRgb(1, 1, 1) : qRgb(200, 0, 0); });
    for (const Case& c : cases) {
        const QImage canvas =
            Painted(16, 16, [&](QPainter& p) { DrawSkinCellCentered(p, c.target, image, false, 2, 2); });
        EXPECT_EQ(canvas.pixel(c.cellAt), qRgb(200, 0, 0));
        EXPECT_EQ(canvas.pixel(c.cellAt + QPoint(4, 2)), qRgb(200, 0, 0));
        EXPECT_EQ(canvas.pixel(c.cellAt - QPoint(1, 0)), Background);
        EXPECT_EQ(canvas.pixel(c.cellAt + QPoint(5, 0)), Background);
    }
}

TEST(DrawSkinBar, CapsAtTheEndsCentredAcrossAndDroppedWhenTooShort)
{
    // One cell of 10 × 3 along the bar: cap A (2), middle M (5), cap C (3).
    const auto along = [](int i) { return i < 2 ? qRgb(1, 0, 0) : i < 7 ? qRgb(2, 0, 0) : qRgb(3, 0, 0); };
    const QImage horizontal = Pixels(10, 3, [&](int x, int) { return along(x); });
    const QImage vertical = Pixels(3, 10, [&](int, int y) { return along(y); });

    const QImage h = Painted(32, 12, [&](QPainter& p) {
        DrawSkinHBar(p, QRect(1, 1, 30, 9), horizontal, false, 1, 1, {2, 0, 3, 0});
    });
    EXPECT_EQ(h.pixel(1, 3), Background); // (9 - 3) / 2 = 3 rows down
    EXPECT_EQ(h.pixel(1, 4), qRgb(1, 0, 0));
    EXPECT_EQ(h.pixel(2, 6), qRgb(1, 0, 0));
    EXPECT_EQ(h.pixel(3, 5), qRgb(2, 0, 0));
    EXPECT_EQ(h.pixel(27, 5), qRgb(2, 0, 0));
    EXPECT_EQ(h.pixel(28, 5), qRgb(3, 0, 0));
    EXPECT_EQ(h.pixel(30, 5), qRgb(3, 0, 0));
    EXPECT_EQ(h.pixel(31, 5), Background);
    EXPECT_EQ(h.pixel(5, 7), Background);

    const QImage v = Painted(12, 32, [&](QPainter& p) {
        DrawSkinVBar(p, QRect(1, 1, 8, 30), vertical, false, 1, 1, {0, 2, 0, 3});
    });
    EXPECT_EQ(v.pixel(2, 1), Background); // (8 - 3) / 2 = 2 columns in
    EXPECT_EQ(v.pixel(3, 1), qRgb(1, 0, 0));
    EXPECT_EQ(v.pixel(4, 15), qRgb(2, 0, 0));
    EXPECT_EQ(v.pixel(5, 30), qRgb(3, 0, 0));
    EXPECT_EQ(v.pixel(6, 15), Background);

    // One pixel along a bar with caps 1 + 1: the stretched whole cell, whose middle lands there.
    const QImage shortBar = Pixels(10, 1, [&](int x, int) {
        return x == 0 ? qRgb(1, 0, 0) : x == 9 ? qRgb(3, 0, 0) : qRgb(2, 0, 0);
    });
    const QImage s = Painted(3, 3, [&](QPainter& p) {
        DrawSkinHBar(p, QRect(1, 1, 1, 1), shortBar, false, 1, 1, {1, 0, 1, 0});
    });
    EXPECT_EQ(s.pixel(1, 1), qRgb(2, 0, 0));
}

} // namespace
