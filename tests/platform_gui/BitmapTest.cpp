#include "platform_gui/Bitmap.h"
#include "TempFolder.h"
#include "platform_gui/BmpFile.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace platform;

TEST(Bitmap, FormatsKeepTheirDepthThroughTheCanvasAndBmp)
{
    struct Case {
        TPixelFormat format;
        int bits;
        QImage::Format image;
    };
    const Case cases[] = {
        {TPixelFormat::pf1bit, 1, QImage::Format_Mono},
        {TPixelFormat::pf4bit, 4, QImage::Format_Indexed8},
        {TPixelFormat::pf8bit, 8, QImage::Format_Indexed8},
        {TPixelFormat::pf24bit, 24, QImage::Format_BGR888},
        {TPixelFormat::pf32bit, 32, QImage::Format_ARGB32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        TBitmap bitmap(10, 6, c.format);
        EXPECT_EQ(bitmap.Image().format(), c.image);
        bitmap.Canvas().Brush.SetColor(clBlack);
        bitmap.Canvas().FillRect({0, 0, 5, 6});
        EXPECT_EQ(bitmap.Image().format(), c.image); // back in its own form when read
        EXPECT_EQ(FromQColor(bitmap.Image().pixelColor(2, 2)), clBlack);
        EXPECT_EQ(FromQColor(bitmap.Image().pixelColor(7, 2)), clWhite);

        const QByteArray bmp = bitmap.SaveToBmp();
        EXPECT_EQ(CheckBmpHeader(bmp), c.bits);
        EXPECT_EQ(qFromLittleEndian<uint16_t>(bmp.constData() + 28), c.bits);
        TBitmap loaded;
        ASSERT_TRUE(loaded.LoadFromBmp(bmp));
        EXPECT_EQ(loaded.PixelFormat(), c.format);
        EXPECT_EQ(FromQColor(loaded.Image().pixelColor(2, 2)), clBlack);
        EXPECT_EQ(FromQColor(loaded.Image().pixelColor(7, 5)), clWhite);
    }
}

TEST(Bitmap, ScanLinesOfTwentyFourBitsAreBlueGreenRed)
{
    TBitmap bitmap(2, 1);
    bitmap.Canvas().SetPixel(0, 0, 0x332211); // red 0x11, green 0x22, blue 0x33
    const uchar* line = bitmap.ScanLine(0);
    EXPECT_EQ(line[0], 0x33);
    EXPECT_EQ(line[1], 0x22);
    EXPECT_EQ(line[2], 0x11);
}

TEST(Bitmap, TransparentColourIsTheBottomLeftPixelUntilFixed)
{
    TBitmap bitmap(4, 4);
    EXPECT_EQ(bitmap.TransparentColor(), clWhite);
    bitmap.Canvas().SetPixel(0, 3, clFuchsia);
    EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);
    bitmap.SetTransparentColor(clLime);
    EXPECT_EQ(bitmap.TransparentMode(), TTransparentMode::tmFixed);
    EXPECT_EQ(bitmap.TransparentColor(), clLime);
    EXPECT_EQ(TBitmap().TransparentColor(), clNone);
    EXPECT_TRUE(TBitmap().Empty());
}

TEST(Bitmap, ResizeKeepsThePictureAndNotifies)
{
    TBitmap bitmap(4, 4);
    int changes = 0;
    bitmap.OnChange = [&] { ++changes; };
    bitmap.Canvas().SetPixel(1, 1, clRed);
    bitmap.SetSize(8, 2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(FromQColor(bitmap.Image().pixelColor(1, 1)), clRed);
    EXPECT_EQ(FromQColor(bitmap.Image().pixelColor(7, 0)), clWhite);

    TBitmap copy(bitmap); // pixels shared, handler not
    copy.Canvas().SetPixel(0, 0, clBlue);
    EXPECT_EQ(FromQColor(bitmap.Image().pixelColor(0, 0)), clWhite);
    EXPECT_FALSE(static_cast<bool>(copy.OnChange));
    bitmap.Assign(copy);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(FromQColor(bitmap.Image().pixelColor(0, 0)), clBlue);
}

TEST(Bitmap, UnsoundBmpBytesAreRefusedAndChangeNothing)
{
    TBitmap good(3, 3);
    const QByteArray bytes = good.SaveToBmp();
    const auto patched = [&](int offset, uint32_t value, int size) {
        QByteArray copy = bytes;
        if (size == 2)
            qToLittleEndian<uint16_t>(static_cast<uint16_t>(value), copy.data() + offset);
        else
            qToLittleEndian<uint32_t>(value, copy.data() + offset);
        return copy;
    };
    const QByteArray bad[] = {
        QByteArray(),
        bytes.left(20),
        patched(0, 0x4141, 2),        // no signature
        patched(18, 0, 4),            // no width
        patched(18, 100000, 4),       // width beyond any screen
        patched(22, 1000, 4),         // more rows than the bytes hold
        patched(26, 2, 2),            // two planes
        patched(28, 7, 2),            // no such depth
        patched(30, 9, 4),            // no such compression
        patched(10, 1 << 20, 4),      // pixels past the end
        bytes.left(bytes.size() - 1), // last row cut short
    };
    TBitmap bitmap(2, 2);
    bitmap.Canvas().SetPixel(0, 0, clRed);
    for (const QByteArray& b : bad) {
        EXPECT_EQ(CheckBmpHeader(b), 0);
        EXPECT_FALSE(bitmap.LoadFromBmp(b));
    }
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(FromQColor(bitmap.Image().pixelColor(0, 0)), clRed);
}

TEST(Bitmap, SavesAndLoadsFiles)
{
    TempFolder folder;
    TBitmap bitmap(5, 3);
    bitmap.Canvas().SetPixel(4, 2, clBlue);
    const QString path = folder.File("picture.bmp");
    ASSERT_TRUE(bitmap.SaveToFile(path));
    TBitmap loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path));
    EXPECT_EQ(loaded.Image(), bitmap.Image());
    EXPECT_FALSE(loaded.LoadFromFile(folder.File("missing.bmp")));
}
