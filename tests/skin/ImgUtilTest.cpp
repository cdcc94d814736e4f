// The image and colour routines: pixel positions after the turns, the mix and saturation figures,
// the gradient runs and their cache, and the clipped gradient fill.
#include "skin/core/ImgUtil.h"

#include <QPainter>
#include <gtest/gtest.h>

using platform::TColor;

namespace {

// 3 x 2, every pixel different: red = 10 x column, green = 100 + row.
QImage Asymmetric()
{
    QImage image(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            image.setPixel(x, y, qRgb(10 * x, 100 + y, 7));
    return image;
}

// Where pixel (x, y) of Asymmetric() is in image.
QPoint Find(const QImage& image, int x, int y)
{
    for (int row = 0; row < image.height(); ++row)
        for (int column = 0; column < image.width(); ++column)
            if (image.pixel(column, row) == qRgb(10 * x, 100 + y, 7))
                return {column, row};
    return {-1, -1};
}

TEST(ImgUtil, MovesPixelsWhereEachRoutineSays)
{
    struct Case {
        const char* name;
        void (*apply)(QImage&);
        QSize size;
        QPoint (*place)(int x, int y); // for the 3 x 2 image
    };
    const Case cases[] = {
        {"mirror", MirrorBitmap, {3, 2}, [](int x, int y) { return QPoint(2 - x, y); }},
        {"flip", FlipBitmap, {3, 2}, [](int x, int y) { return QPoint(x, 1 - y); }},
        {"left", RotateBitmapLeft, {2, 3}, [](int x, int y) { return QPoint(y, 2 - x); }},
        {"right", RotateBitmapRight, {2, 3}, [](int x, int y) { return QPoint(1 - y, x); }},
    };
    for (const Case& c : cases) {
        QImage image = Asymmetric();
        c.apply(image);
        ASSERT_EQ(image.size(), c.size) << c.name;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(Find(image, x, y), c.place(x, y)) << c.name << " pixel " << x << "," << y;
    }
}

TEST(ImgUtil, TurnsKeepTransparency)
{
    QImage image(2, 1, QImage::Format_ARGB32_Premultiplied);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(1, 0, qRgba(255, 0, 0, 255));
    MirrorBitmap(image);
    EXPECT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(image.pixel(0, 0), qRgba(255, 0, 0, 255));
    EXPECT_EQ(image.pixel(1, 0), qRgba(0, 0, 0, 0));
}

TEST(ImgUtil, GreyIsThePlainAverageOfTheChannels)
{
    QImage image(2, 1, QImage::Format_RGB888);
    image.setPixel(0, 0, qRgb(255, 0, 0)); // 85: not the weighted grey of the control library
    image.setPixel(1, 0, qRgb(10, 20, 31));
    MakeGrayBitmap(image);
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(0, 0), qRgb(85, 85, 85));
    EXPECT_EQ(image.pixel(1, 0), qRgb(20, 20, 20));
}

TEST(ImgUtil, MixesByPercentBelowAHundredAndPerMilleFromThere)
{
    struct Case {
        TColor c1, c2;
        int weight;
        TColor expected;
    };
    const Case cases[] = {
        {platform::clWhite, platform::clBlack, 150, 0x262626}, // (255 x 150 + 500) div 1000 = 38
        {platform::clWhite, platform::clBlack, 50, 0x808080},  // (255 x 50 + 50) div 100 = 128
        {0x0000FF, 0xFF0000, 100, 0xE6001A},                   // 100 per mille of red: 26 red, 230 blue
        {platform::clBtnFace, platform::clWhite, 0, platform::clWhite},
        {platform::clBtnFace, platform::clBlack, 99, 0xC6CED2}, // system colour resolved: 212,208,200
    };
    for (const Case& c : cases)
        EXPECT_EQ(MixColors(c.c1, c.c2, c.weight), c.expected)
            << std::hex << c.c1 << " " << c.c2 << " " << std::dec << c.weight;
}

TEST(ImgUtil, SaturationOfBrightColoursOnly)
{
    EXPECT_EQ(ColorSaturation(0x0000FF), 255);
    EXPECT_EQ(ColorSaturation(0x000080), 200); // no channel reaches 160
    EXPECT_EQ(ColorSaturation(0xC8C8C8), 0);
    EXPECT_EQ(ColorSaturation(0x3264C8), 191); // (200 - 50) / 200 x 255 = 191.25
}

TEST(ImgUtil, GradientRunsRiseAndFallWithTruncation)
{
    GradientCache cache;
    const QList<TColor>& grey = cache.Colors(cache.GradientColors(256, platform::clBlack, platform::clWhite));
    ASSERT_EQ(grey.size(), 256);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(grey[i], TColor(i * 0x010101)) << i;

    // (2 + 10 i) div 4 up, (2 - 10 i) div 4 down: truncation toward zero keeps a falling run short of its
    // end.
    const QList<TColor>& rising = cache.Colors(cache.GradientColors(5, 10, 20));
    EXPECT_EQ(rising, QList<TColor>({10, 13, 15, 18, 20}));
    const QList<TColor>& falling = cache.Colors(cache.GradientColors(5, 20, 10));
    EXPECT_EQ(falling, QList<TColor>({20, 18, 16, 13, 11}));

    const QList<TColor>& one = cache.Colors(cache.GradientColors(1, 0x000010, 0x000020));
    EXPECT_EQ(one, QList<TColor>({0x18}));
}

TEST(ImgUtil, GradientCacheReusesMatchesAndRingsOverSixteenSlots)
{
    GradientCache cache;
    const int first = cache.GradientColors(10, 0x000000, 0x0000FF);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(cache.GradientColors(10, 0x000000, 0x0000FF), first);
    for (int i = 1; i < GradientCache::SlotCount; ++i)
        EXPECT_EQ(cache.GradientColors(10 + i, 0x000000, 0x0000FF), i);
    EXPECT_EQ(cache.GradientColors(10, 0x000000, 0x0000FF), first); // still cached
    EXPECT_EQ(cache.GradientColors(99, 0x000000, 0x0000FF), 0);     // the 17th distinct run takes slot 0
    EXPECT_EQ(cache.Colors(0).size(), 99);
    EXPECT_EQ(cache.GradientColors(10, 0x000000, 0x0000FF), 1); // gone from the cache: a new slot
}

TEST(ImgUtil, PaintGradientFillsOnlyTheClippedLines)
{
    QImage image(4, 8, QImage::Format_RGB32);
    image.fill(Qt::green);
    {
        QPainter painter(&image);
        painter.setClipRect(QRect(0, 2, 4, 3));
        PaintGradient(painter, QRect(1, 0, 2, 8), platform::clBlack, 0x0000FF, true); // red runs down
    }
    for (int y = 0; y < 8; ++y) {
        const bool painted = y >= 2 && y <= 4;
        const QRgb expected = painted ? qRgb((y * 255 + 3) / 7, 0, 0) : qRgb(0, 255, 0);
        EXPECT_EQ(image.pixel(1, y), expected) << "row " << y;
        EXPECT_EQ(image.pixel(2, y), expected) << "row " << y;
        EXPECT_EQ(image.pixel(0, y), qRgb(0, 255, 0)) << "row " << y;
    }
}

TEST(ImgUtil, PaintGradientAcrossAndOutsideTheDevice)
{
    QImage image(3, 1, QImage::Format_RGB32);
    image.fill(Qt::green);
    {
        QPainter painter(&image);
        PaintGradient(painter, QRect(0, 0, 3, 1), platform::clBlack, platform::clWhite, false);
        PaintGradient(painter, QRect(10, 10, 3, 1), platform::clWhite, platform::clWhite, false);
        PaintGradient(painter, QRect(0, 0, 0, 1), platform::clWhite, platform::clWhite, false);
    }
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(128, 128, 128));
    EXPECT_EQ(image.pixel(2, 0), qRgb(255, 255, 255));
}

} // namespace
