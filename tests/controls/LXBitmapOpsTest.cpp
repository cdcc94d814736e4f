#include "controls/LXBitmapOps.h"

#include <gtest/gtest.h>

#include <functional>

using namespace platform;

namespace {

// A 24-bit bitmap whose pixel (x, y) is the given colour.
TBitmap Pixels(int width, int height, const std::function<QRgb(int, int)>& colour)
{
    TBitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        uchar* line = bitmap.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            const QRgb c = colour(x, y);
            line[3 * x] = static_cast<uchar>(qBlue(c));
            line[3 * x + 1] = static_cast<uchar>(qGreen(c));
            line[3 * x + 2] = static_cast<uchar>(qRed(c));
        }
    }
    return bitmap;
}

// Grey levels of one row, read by each pixel's blue channel.
std::vector<int> Row(const TBitmap& bitmap, int y = 0)
{
    std::vector<int> values;
    for (int x = 0; x < bitmap.Width(); ++x)
        values.push_back(qBlue(bitmap.Image().pixel(x, y)));
    return values;
}

TBitmap Greys(const std::vector<int>& row)
{
    return Pixels(static_cast<int>(row.size()), 1, [&](int x, int) {
        const int v = row[static_cast<size_t>(x)];
        return qRgb(v, v, v);
    });
}

TEST(LXBitmapOps, GreyOfEachChannel)
{
    struct Case {
        QRgb colour;
        int grey;
    };
    const Case cases[] = {
        {qRgb(0, 255, 0), 150}, {qRgb(0, 0, 255), 28}, {qRgb(255, 255, 255), 255}, {qRgb(5, 0, 0), 2},
        {qRgb(0, 50, 0), 29},   {qRgb(0, 0, 50), 5},   {qRgb(0, 0, 0), 0},
    };
    for (const Case& c : cases) {
        TBitmap bitmap = Pixels(1, 1, [&](int, int) { return c.colour; });
        GrayScaleBitmap(bitmap, Rect(0, 0, 1, 1), bitmap, {0, 0});
        EXPECT_EQ(bitmap.Image().pixel(0, 0), qRgb(c.grey, c.grey, c.grey)) << std::hex << c.colour;
    }
}

TEST(LXBitmapOps, BrightenClampsAndInvertComplements)
{
    TBitmap bitmap = Greys({10, 250, 0});
    BrightenBitmap(bitmap, Rect(0, 0, 3, 1), bitmap, 300, {0, 0});
    EXPECT_EQ(Row(bitmap), (std::vector<int>{255, 255, 255}));
    bitmap = Greys({10, 250, 30});
    BrightenBitmap(bitmap, Rect(0, 0, 3, 1), bitmap, -20, {0, 0});
    EXPECT_EQ(Row(bitmap), (std::vector<int>{0, 230, 10}));
    bitmap = Greys({0, 100, 255});
    InvertBitmap(bitmap, Rect(0, 0, 3, 1), bitmap, {0, 0});
    EXPECT_EQ(Row(bitmap), (std::vector<int>{255, 155, 0}));
}

TEST(LXBitmapOps, Flips)
{
    // Odd width in place: the middle stays.
    TBitmap row = Greys({1, 2, 3, 4, 5});
    FlipLeftRight(row, Rect(0, 0, 5, 1), row, {0, 0});
    EXPECT_EQ(Row(row), (std::vector<int>{5, 4, 3, 2, 1}));

    // Part of a row into another bitmap at an offset.
    const TBitmap source = Greys({1, 2, 3, 4, 5});
    TBitmap target = Greys({0, 0, 0, 0, 0, 0});
    FlipLeftRight(source, Rect(1, 0, 4, 1), target, {2, 0});
    EXPECT_EQ(Row(target), (std::vector<int>{0, 0, 4, 3, 2, 0}));

    TBitmap column = Pixels(1, 3, [](int, int y) { return qRgb(y + 1, y + 1, y + 1); });
    FlipTopBottom(column, Rect(0, 0, 1, 3), column, {0, 0});
    EXPECT_EQ(Row(column, 0), std::vector<int>{3});
    EXPECT_EQ(Row(column, 1), std::vector<int>{2});
    EXPECT_EQ(Row(column, 2), std::vector<int>{1});
}

TEST(LXBitmapOps, BlendBetweenTheSources)
{
    const TBitmap one = Greys({200, 101, 103, 0});
    const TBitmap two = Greys({100, 100, 100, 255});
    struct Case {
        double strength;
        std::vector<int> row;
    };
    // Halves go to the even neighbour: 0.5 on 1 is 0, on 3 is 2.
    const Case cases[] = {
        {1.0, {200, 101, 103, 0}}, {0.0, {100, 100, 100, 255}}, {0.5, {150, 100, 102, 127}}};
    for (const Case& c : cases) {
        TBitmap target = Greys({9, 9, 9, 9});
        AlphaBlendBitmaps(one, two, Rect(0, 0, 4, 1), {0, 0}, c.strength, target, {0, 0});
        EXPECT_EQ(Row(target), c.row) << c.strength;
    }

    // Source 2 read from its own point.
    TBitmap target = Greys({9, 9});
    AlphaBlendBitmaps(one, two, Rect(0, 0, 2, 1), {0, 0}, 0.0, target, {2, 0});
    EXPECT_EQ(Row(target), (std::vector<int>{100, 255}));
}

TEST(LXBitmapOps, WrongPixelFormatNamesTheBitmap)
{
    const TBitmap good = Greys({1, 2});
    TBitmap bad(2, 1, TPixelFormat::pf8bit);
    TBitmap target = Greys({0, 0});
    const TRect area = Rect(0, 0, 2, 1);
    const auto message = [](const std::function<void()>& call) {
        try {
            call();
        } catch (const ELXWrongPixelFormat& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([&] {
                  AlphaBlendBitmaps(bad, good, area, {0, 0}, 1, target, {0, 0});
              }),
              "Wrong PixelFormat in Source 1 bitmap!");
    EXPECT_EQ(message([&] {
                  AlphaBlendBitmaps(good, bad, area, {0, 0}, 1, target, {0, 0});
              }),
              "Wrong PixelFormat in Source 2 bitmap!");
    EXPECT_EQ(message([&] {
                  AlphaBlendBitmaps(good, good, area, {0, 0}, 1, bad, {0, 0});
              }),
              "Wrong PixelFormat in Target bitmap!");
    EXPECT_EQ(message([&] {
                  InvertBitmap(bad, area, target, {0, 0});
              }),
              "Wrong PixelFormat in Source bitmap!");
    EXPECT_EQ(message([&] {
                  FlipTopBottom(good, area, bad, {0, 0});
              }),
              "Wrong PixelFormat in Target bitmap!");
    EXPECT_EQ(message([&] {
                  GrayScaleBitmap(good, area, bad, {0, 0});
              }),
              "Wrong PixelFormat in Target bitmap!");
}

TEST(LXBitmapOps, AreasReachingOutsideAreClipped)
{
    // The area starts two pixels left of the source: the pixels that exist land where they would.
    const TBitmap source = Greys({10, 20, 30});
    TBitmap target = Greys({0, 0, 0, 0, 0, 0});
    InvertBitmap(source, Rect(-2, 0, 6, 1), target, {0, 0});
    EXPECT_EQ(Row(target), (std::vector<int>{0, 0, 245, 235, 225, 0}));

    // Mirrored, the clipped-off part is at the far end of the target.
    target = Greys({0, 0, 0, 0, 0, 0});
    FlipLeftRight(source, Rect(-2, 0, 3, 1), target, {0, 0});
    EXPECT_EQ(Row(target), (std::vector<int>{30, 20, 10, 0, 0, 0}));

    // The target point near the end: what falls outside is left out.
    target = Greys({0, 0});
    BrightenBitmap(source, Rect(0, 0, 3, 1), target, 1, {1, 0});
    EXPECT_EQ(Row(target), (std::vector<int>{0, 11}));
    target = Greys({0, 0});
    BrightenBitmap(source, Rect(0, 0, 3, 1), target, 1, {-2, 5});
    EXPECT_EQ(Row(target), (std::vector<int>{0, 0}));

    // Source 2 shorter than the area.
    const TBitmap two = Greys({0});
    target = Greys({0, 0, 0});
    AlphaBlendBitmaps(source, two, Rect(0, 0, 3, 1), {0, 0}, 1.0, target, {0, 0});
    EXPECT_EQ(Row(target), (std::vector<int>{10, 0, 0}));
}

TEST(LXBitmapOps, OverlappingInPlaceCallReadsTheAreaFirst)
{
    TBitmap bitmap = Greys({1, 2, 3, 4, 5, 6});
    InvertBitmap(bitmap, Rect(0, 0, 4, 1), bitmap, {2, 0});
    EXPECT_EQ(Row(bitmap), (std::vector<int>{1, 2, 254, 253, 252, 251}));
    bitmap = Greys({1, 2, 3, 4, 5, 6});
    FlipLeftRight(bitmap, Rect(2, 0, 6, 1), bitmap, {0, 0});
    EXPECT_EQ(Row(bitmap), (std::vector<int>{6, 5, 4, 3, 5, 6}));
}

} // namespace
