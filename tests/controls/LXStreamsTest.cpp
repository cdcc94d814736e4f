// Stream routines, the bitmap file writer and the general routines.
#include "controls/LXStreams.h"
#include "TempFolder.h"
#include "controls/LXBitmapStreams.h"
#include "controls/LXErrors.h"
#include "controls/LXGeneral.h"
#include "platform/Paths.h"

#include <QBuffer>
#include <QImage>
#include <QStandardPaths>
#include <QtEndian>
#include <gtest/gtest.h>

using platform::TRect;

namespace {

struct Memory {
    Memory() { buffer.open(QIODevice::ReadWrite); }
    void Rewind() { buffer.seek(0); }
    QBuffer buffer;
};

} // namespace

TEST(LXStreams, IntegersBytesAndTheEnd)
{
    Memory m;
    WriteInteger(m.buffer, -2);
    WriteByteValue(m.buffer, 0xAB);
    EXPECT_EQ(m.buffer.data().toHex(), "feffffffab");
    m.Rewind();
    EXPECT_EQ(ReadInteger(m.buffer), -2);
    EXPECT_EQ(ReadByteValue(m.buffer), 0xAB);
    EXPECT_THROW(ReadByteValue(m.buffer), EReadError);
    EXPECT_EQ(QString::fromUtf8(EReadError().what()), "Stream read error");
}

TEST(LXStreams, ShortStringsAreCappedAtACharacterBoundary)
{
    struct Case {
        QString text;
        QString stored;
    };
    const QString long255(255, u'a');
    const QString accents = QString(254, u'a') + QStringLiteral("ñ"); // the two bytes of ñ would pass 255
    const Case cases[] = {
        {long255, long255},
        {QString(256, u'b'), QString(255, u'b')},
        {QString(300, u'c'), QString(255, u'c')},
        {accents, QString(254, u'a')},
        {"", ""},
    };
    for (const Case& c : cases) {
        Memory m;
        WriteShortString(m.buffer, c.text);
        m.Rewind();
        EXPECT_EQ(ReadShortString(m.buffer), c.stored) << c.text.size();
        EXPECT_TRUE(m.buffer.atEnd());
    }
    Memory cut;
    cut.buffer.write("\x05"
                     "abc");
    cut.Rewind();
    EXPECT_THROW(ReadShortString(cut.buffer), EReadError);
}

TEST(LXStreams, StringListsPlainAndCompressed)
{
    const QStringList lists[] = {{}, {""}, {"one", "", "tres ñ"}};
    for (bool compressed : {false, true}) {
        for (const QStringList& list : lists) {
            Memory m;
            WriteStrings(m.buffer, list, compressed);
            m.Rewind();
            QStringList read{"old"};
            ReadStrings(m.buffer, read, compressed);
            EXPECT_EQ(read, list) << compressed << " " << list.size();
        }
    }
    Memory empty;
    WriteStrings(empty.buffer, {}, true);
    EXPECT_EQ(empty.buffer.data().toHex(), "00000000");

    Memory bad; // a count beyond the bytes that follow
    bad.buffer.write(QByteArray::fromHex("10000000") + "abc");
    bad.Rewind();
    QStringList kept{"kept"};
    EXPECT_THROW(ReadStrings(bad.buffer, kept, false), EReadError);
    EXPECT_EQ(kept, QStringList{"kept"});
}

TEST(LXStreams, BitmapFileImageAtEachDepthReadsBackThroughQt)
{
    platform::TBitmap bitmap(5, 3, platform::TPixelFormat::pf32bit);
    bitmap.Canvas().Brush.SetColor(0x1010A0); // a dark red, nearest to the classic maroon
    bitmap.Canvas().FillRect({0, 0, 5, 3});
    bitmap.Canvas().SetPixel(4, 2, 0x123456);
    struct Case {
        int depth;
        int bits;
        int colors;
    };
    const Case cases[] = {{0, 24, 0}, {2, 1, 2}, {16, 4, 16}, {256, 8, 256}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.depth);
        const QByteArray file = BitmapFileImage(bitmap, c.depth);
        EXPECT_EQ(qFromLittleEndian<uint16_t>(file.constData()), 0x4D42);
        EXPECT_EQ(qFromLittleEndian<uint32_t>(file.constData() + 2), static_cast<uint32_t>(file.size()));
        EXPECT_EQ(qFromLittleEndian<uint32_t>(file.constData() + 10), 54u + 4u * c.colors);
        EXPECT_EQ(qFromLittleEndian<uint16_t>(file.constData() + 28), c.bits);
        const int row = (5 * c.bits + 31) / 32 * 4;
        EXPECT_EQ(qFromLittleEndian<uint32_t>(file.constData() + 34), static_cast<uint32_t>(3 * row));
        QImage image;
        ASSERT_TRUE(image.loadFromData(file, "BMP"));
        ASSERT_EQ(image.size(), QSize(5, 3));
        const QRgb solid = image.pixel(1, 1);
        if (c.bits == 24) {
            EXPECT_EQ(solid, qRgb(0xA0, 0x10, 0x10));
            EXPECT_EQ(image.pixel(4, 2), qRgb(0x56, 0x34, 0x12));
        } else if (c.bits == 1) {
            EXPECT_EQ(solid, qRgb(0, 0, 0));
        } else if (c.bits == 4) {
            EXPECT_EQ(solid, qRgb(128, 0, 0)); // the classic table's nearest
        } else {
            EXPECT_NEAR(qRed(solid), 0xA0, 0x30);
            EXPECT_NEAR(qGreen(solid), 0x10, 0x30);
        }
    }
    EXPECT_EQ(
        qFromLittleEndian<uint16_t>(
            BitmapFileImage(platform::TBitmap(2, 2, platform::TPixelFormat::pf4bit), 0).constData() + 28),
        4);
    try {
        BitmapFileImage(platform::TBitmap(), 0);
        ADD_FAILURE() << "no error for an empty bitmap";
    } catch (const ELXException& error) {
        EXPECT_STREQ(error.what(), "Bitmap image is not valid");
    }
}

TEST(LXStreams, BitmapsPlainAndCompressedAndBadHeadersRefused)
{
    platform::TBitmap bitmap(4, 4);
    bitmap.Canvas().SetPixel(1, 2, 0x0000FF);
    for (bool compressed : {false, true}) {
        Memory m;
        WriteBitmap(m.buffer, bitmap, compressed, -1);
        m.Rewind();
        platform::TBitmap read;
        ReadBitmap(m.buffer, read, compressed);
        EXPECT_EQ(read.Image(), bitmap.Image());
    }
    Memory mono;
    platform::TBitmap monochrome(4, 4, platform::TPixelFormat::pf1bit);
    WriteBitmap(mono.buffer, monochrome, false, 256);
    EXPECT_EQ(qFromLittleEndian<uint16_t>(mono.buffer.data().constData() + 4 + 28), 1);

    Memory bad;
    QByteArray file = bitmap.SaveToBmp();
    qToLittleEndian<int32_t>(5000, file.data() + 22); // more rows than the bytes hold
    WriteInteger(bad.buffer, static_cast<int32_t>(file.size()));
    bad.buffer.write(file);
    bad.Rewind();
    platform::TBitmap kept(2, 2);
    EXPECT_THROW(ReadBitmap(bad.buffer, kept, false), ELXException);
    EXPECT_EQ(kept.Width(), 2);
}

TEST(LXGeneral, RectangleRoutines)
{
    EXPECT_EQ(FitRect({0, 0, 200, 100}, {10, 20, 110, 220}), (TRect{10, 20, 110, 70}));
    EXPECT_EQ(FitRect({0, 0, 3, 3}, {0, 0, 10, 20}), (TRect{0, 0, 10, 10}));
    EXPECT_EQ(FitRect({5, 5, 5, 50}, {10, 20, 110, 220}), (TRect{10, 20, 10, 20})); // no width: no division
    EXPECT_EQ(FitRect({0, 0, 0, 0}, {1, 2, 3, 4}), (TRect{1, 2, 1, 2}));
    EXPECT_EQ(RectSize({2, 3, 12, 5}), (platform::TSize{10, 2}));

    TRect turned{0, 0, 40, 20};
    RotatedBounds(turned, 90);
    EXPECT_EQ(turned, (TRect{0, 0, 20, 40}));
    TRect same{3, 4, 40, 20};
    RotatedBounds(same, 0);
    EXPECT_EQ(same, (TRect{3, 4, 40, 20}));
    // An angle whose sine is exactly one half: 5 x 0.5 = 2.5 rounds to 2, so the box is 4 wide (6 if
    // halves went up).
    TRect half{0, 0, 1, 10};
    RotatedBounds(half, 30.000000000000007);
    EXPECT_EQ(half, (TRect{0, 0, 4, 8}));

    std::vector<platform::TPoint> points{{0, 0}, {1, 1}, {2, 2}};
    OffsetPoints(points, 1, 10, 20);
    EXPECT_EQ(points, (std::vector<platform::TPoint>{{10, 20}, {11, 21}, {2, 2}}));
    OffsetPoints(points, 10, 1, 1); // only the points there are
    EXPECT_EQ(points[2], (platform::TPoint{3, 3}));

    const int values[] = {3, -7, 12};
    EXPECT_EQ(MaxOf(values), 12);
    EXPECT_EQ(MinOf(values), -7);
    EXPECT_EQ(MaxOf({}), 0);
    EXPECT_EQ(MinOf({}), 0);
    const double reals[] = {2.5, -0.5};
    EXPECT_EQ(MinOfReals(reals), -0.5);
    EXPECT_EQ(MinOfReals({}), 0);
}

TEST(LXGeneral, FoldersFollowTheProgramAndSettingsFolders)
{
    TempFolder folder;
    qputenv(platform::AppDirVariable, QFile::encodeName(folder.Path()));
    EXPECT_EQ(AppPath(), folder.Path());
    EXPECT_EQ(PathPrefix(ppProgram, true), folder.Path());
    EXPECT_EQ(PathPrefix(ppProgram, false) + "/", folder.Path());
    qunsetenv(platform::AppDirVariable);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    EXPECT_EQ(config, qEnvironmentVariable("XDG_CONFIG_HOME")); // the test main's throw-away folder
    EXPECT_EQ(PathPrefix(ppWindows, true), config + "/");
    EXPECT_EQ(PathPrefix(ppSystem, false), "/etc/xdg");
    EXPECT_EQ(PathPrefix(ppSystem, true), "/etc/xdg/");
    EXPECT_EQ(PathPrefix(ppFixed, true), "");
    EXPECT_EQ(PathPrefix(ppFixed, false), "");
}
