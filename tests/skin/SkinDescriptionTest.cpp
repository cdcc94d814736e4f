#include "SkinCellImages.h"
#include "SkinFiles.h"
#include "skin/core/SkinBitmap.h"
#include "skin/core/SkinDraw.h"

#include <gtest/gtest.h>

#include <functional>

using namespace skinbuilder;

namespace {

QImage Solid(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

TEST(SkinDescription, BordersTakeTheirKeysFromPersonality)
{
    SkinFiles files;
    files.Ini =
        "[Personality]\r\nTop=top.bmp\r\nTopFrame=2\r\nTopStretch=2\r\nTopTrans=0\r\nTopTopHeight=10\r\n"
        "TopBotHeight=12\r\nLeft=left.bmp\r\nLeftTopHeight=8\r\nLeftBotHeight=9\r\nLeftStretch=0\r\n";
    files.AddImage("top.bmp", SignatureImage(CellLayout(1, 2, {60, 24}, {}, true)));
    files.AddImage("left.bmp", SignatureImage(CellLayout(2, 1, {6, 40})));
    const TSkinDescription d = files.Read();

    EXPECT_EQ(d.Top.Image.size(), QSize(60, 48));
    EXPECT_EQ(d.Top.Image.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(d.Top.Frames, 2);
    EXPECT_EQ(d.Top.Tile, 1); // Stretch above 1 is 1
    EXPECT_EQ(d.Top.Trans, 0);
    EXPECT_EQ(d.Top.Edges(), QMargins(10, 0, 12, 0));
    EXPECT_EQ(d.Left.Edges(), QMargins(0, 8, 0, 9));
    EXPECT_EQ(d.Left.Frames, 1);
    EXPECT_EQ(d.Left.Tile, 0);
    EXPECT_EQ(d.Left.Trans, 1);
    EXPECT_EQ(d.Left.Image.pixel(0, 0), Signature(2, 1, CellPart::Centre));
    // No key at all: an empty image, stretched, transparent.
    EXPECT_TRUE(d.Right.Image.isNull());
    EXPECT_EQ(d.Right.Frames, 1);
    EXPECT_EQ(d.Right.Tile, 1);
    EXPECT_EQ(d.Right.Trans, 1);
    EXPECT_EQ(d.Right.Name, "Right");
}

// Frame counts of 0 or less and negative edges would divide by zero or read outside the images.
TEST(SkinDescription, FrameCountsAreAtLeastOneAndEdgesAtLeastZero)
{
    SkinFiles files;
    files.Ini =
        "[Personality]\r\nLeft=left.bmp\r\nLeftFrame=0\r\nTop=top.bmp\r\nTopFrame=-1\r\nTopTopHeight=-4\r\n"
        "[HorzScrollThumb]\r\nImage=thumb.bmp\r\nFrameCount=0\r\nLeftWidth=-2\r\n"
        "[VertScrollThumb]\r\nImage=thumb.bmp\r\nFrameCount=-5\r\n"
        "[ButtonClose]\r\nAction=0\r\nframe=-1\r\nButtonImage=thumb.bmp\r\n"
        "[Buttons]\r\nCheckButton=thumb.bmp\r\nCheckButtonFrame=-1\r\nRadioButtonFrame=-3\r\nTopHeight=-"
        "1\r\n";
    files.AddImage("left.bmp", Solid(12, 40, 0x123456));
    files.AddImage("top.bmp", Solid(60, 48, 0x123456));
    files.AddImage("thumb.bmp", Solid(30, 10, 0x123456));
    const TSkinDescription d = files.Read();

    EXPECT_EQ(d.Left.Frames, 1);
    EXPECT_EQ(d.Top.Frames, 1);
    EXPECT_EQ(d.Top.LeftWidth, 0);
    EXPECT_EQ(d.HorzScrollThumb->Frames, 1);
    EXPECT_EQ(d.HorzScrollThumb->LeftWidth, 0);
    EXPECT_EQ(d.VertScrollThumb->Frames, 1);
    EXPECT_EQ(d.SysButtons.front().Frames, 1);
    EXPECT_EQ(d.Buttons.CheckButtonFrame, 1);
    EXPECT_EQ(d.Buttons.RadioButtonFrame, 1);
    EXPECT_EQ(d.Buttons.TopHeight, 0);
    // And the objects paint.
    const QImage frame = SkinFrameBitmap({30, 30}, d.Top.Image, d.Top.Edges(), true, false, d.Top.Frames, 1);
    EXPECT_EQ(frame.pixel(15, 15), 0xFF123456);
}

TEST(SkinDescription, TileAboveOneDependsOnTheReader)
{
    SkinFiles files;
    files.Ini = "[Personality]\r\nmenuBar=i.bmp\r\nTileMenu=2\r\n[Buttons]\r\nBitmap=i.bmp\r\nTile=2\r\n"
                "[Progress]\r\nBitmap=i.bmp\r\nTile=2\r\n[MenuItem]\r\nImage=i.bmp\r\nTile=2\r\n"
                "[HorzScroll]\r\nImage=i.bmp\r\nTile=1\r\n";
    files.AddImage("i.bmp", Solid(10, 10, 0));
    const TSkinDescription d = files.Read();
    EXPECT_EQ(d.MenuBar->Tile, 1);
    EXPECT_EQ(d.Buttons.Tile, 0);
    EXPECT_EQ(d.Progress->Tile, 1);
    EXPECT_EQ(d.MenuItem->Tile, 0);
    EXPECT_EQ(d.HorzScroll->Tile, 1);
}

TEST(SkinDescription, ObjectsPresentOnlyWithAnImageKey)
{
    SkinFiles files;
    files.Ini =
        "[MenuItem]\r\nImage=item.bmp\r\nLeftWidth=4\r\nStyle=3\r\nTrans=1\r\nNormalColour=0x0000FF\r\n"
        "NormalColour2=1,2,3\r\n[Headerbar]\r\nImage=missing.bmp\r\n[Scrollbar]\r\nLeftWidth=4\r\n"
        "[Tab.Pane]\r\nImage=item.bmp\r\nLeftWidth=8\r\nTopHeight=3\r\n"
        "[Tabs]\r\nImage=item.bmp\r\nBorder=item.bmp\r\n[UpDown.Vert]\r\nImage=item.bmp\r\n"
        "[GroupBox]\r\nImage=item.bmp\r\nBackgroundAlignment=2\r\nBackgroundLeftShift=5\r\n"
        "[Colours]\r\nButtonText=9,9,9\r\n";
    files.AddImage("item.bmp", Solid(50, 10, 0x00FF00));
    const TSkinDescription d = files.Read();

    ASSERT_TRUE(d.MenuItem);
    EXPECT_EQ(d.MenuItem->Name, "MenuItem");
    EXPECT_EQ(d.MenuItem->Frames, 5);
    EXPECT_EQ(d.MenuItem->Edges(), QMargins(4, 0, 0, 0));
    EXPECT_EQ(d.MenuItem->Style, 3);
    EXPECT_EQ(d.MenuItem->Trans, 1);
    EXPECT_EQ(d.MenuItem->NormalColour, 0x0000FF);
    EXPECT_EQ(d.MenuItem->MouseOverColour, NoTextColour);
    EXPECT_EQ(d.MenuItem->NormalColour2, 0x030201);
    EXPECT_EQ(d.MenuItem->PressedColour2, 0x090909); // ButtonText by default
    ASSERT_TRUE(d.Headerbar);                        // named but missing: present, nothing to draw
    EXPECT_TRUE(d.Headerbar->Image.isNull());
    EXPECT_FALSE(d.Scrollbar);
    EXPECT_FALSE(d.ExtraImages);
    EXPECT_EQ(d.TabPane->Edges(), QMargins(4, 3, 0, 0));
    EXPECT_EQ(d.Tabs->Image2.size(), QSize(50, 10));
    EXPECT_EQ(d.Tabs->Frames, 5);
    EXPECT_TRUE(d.UpDownVert->Image2.isNull());
    EXPECT_EQ(d.UpDownVert->Frames, 8);
    EXPECT_EQ(d.GroupBox->BackgroundAlignment, 2);
    EXPECT_EQ(d.GroupBox->BackgroundLeftShift, 5);
    EXPECT_EQ(d.GroupBox->Frames, 1);
}

TEST(SkinDescription, CheckAndRadioFramesFallBackOnTheImageWidth)
{
    struct Case {
        QSize image;
        const char* frameKey;
        int frames;
    };
    const Case cases[] = {
        {{208, 16}, "", 13}, {{52, 13}, "", 4},   {{208, 13}, "", 16}, {{30, 10}, "", 4},
        {{0, 0}, "", 4},     {{208, 16}, "8", 8}, {{104, 13}, "0", 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1x%2 frame %3")
                         .arg(c.image.width())
                         .arg(c.image.height())
                         .arg(c.frameKey)
                         .toStdString());
        SkinFiles files;
        files.Ini =
            QStringLiteral(
                "[Buttons]\r\nRadioButton=radio.bmp\r\nRadioButtonFrame=%1\r\nCheckButton=radio.bmp\r\n"
                "CheckButtonFrame=%1\r\n")
                .arg(c.frameKey);
        if (!c.image.isEmpty())
            files.AddImage("radio.bmp", Solid(c.image.width(), c.image.height(), 0));
        const TSkinDescription d = files.Read();
        EXPECT_EQ(d.Buttons.RadioButtonFrame, c.frames);
        EXPECT_EQ(d.Buttons.CheckButtonFrame, c.frames);
    }
}

TEST(SkinDescription, ButtonsAndTitle)
{
    SkinFiles files;
    files.Ini =
        "[Buttons]\r\nBitmap=button.bmp\r\nLeftWidth=4\r\nRightWidth=4\r\nTopHeight=4\r\nBottomHeight=4\r\n"
        "Trans=1\r\nNormalColour2=200,0,0\r\nPressedColour2=\r\n"
        "[Personality]\r\nTextBack=back.bmp\r\nTextShift=24\r\nTextShiftVert=-2\r\nTextRightClip=70\r\n"
        "TextAlignment=1\r\nTXTBackleft=-4\r\nTXTBackRight=4\r\nActiveTextR=1\r\nActiveTextG=2\r\n"
        "ActiveTextB=3\r\nInActiveTextR=1\r\nInActiveTextG=2\r\n[Colours]\r\nButtonText=0,0,9\r\n";
    files.AddImage("button.bmp", Solid(100, 20, 0));
    files.AddImage("back.bmp", Solid(20, 10, 0));
    const TSkinDescription d = files.Read();

    EXPECT_EQ(d.Buttons.Frames, 5);
    EXPECT_EQ(d.Buttons.Edges(), QMargins(4, 4, 4, 4));
    EXPECT_EQ(d.Buttons.Trans, 1);
    EXPECT_TRUE(d.Buttons.HasNormalColour2);
    EXPECT_FALSE(d.Buttons.HasPressedColour2);
    EXPECT_EQ(d.Buttons.NormalColour2, 200);
    EXPECT_EQ(d.Buttons.PressedColour2, 0x090000);
    EXPECT_EQ(d.Title.Frames, 2);
    EXPECT_EQ(d.Title.Edges(), QMargins(24, -2, 70, 0)); // text offsets, kept as written
    EXPECT_EQ(d.Title.TextAlignment, 1);
    EXPECT_EQ(d.Title.TXTBackleft, 0);
    EXPECT_EQ(d.Title.TXTBackRight, 4);
    EXPECT_EQ(d.Title.FontHeight, 14);
    EXPECT_EQ(d.Title.ActiveTextColour, 0x030201);
    EXPECT_EQ(d.Title.InactiveTextColour, platform::clNone); // its blue is missing
}

TEST(LoadBitmap, NamesALowerCaseBmpMemberInAnyCase)
{
    QHash<QString, QByteArray> members{{"top.bmp", BmpBytes(Solid(4, 3, 0x112233))},
                                       {"empty.bmp", QByteArray()},
                                       {"text.bmp", QByteArray("not a bitmap at all")}};
    const TSkinMembers lookup = [&](const QString& name) { return members.value(name.toLower()); };
    TSkinBitmaps bitmaps(lookup);
    struct Case {
        const char* value;
        bool loads;
    };
    const Case cases[] = {
        {"top.bmp", true},      {"Top.bmp", true},    {"skins\\top.bmp", true}, {"c:top.bmp", true},
        {"TOP.BMP", false},     {"top.Bmp", false},   {"top", false},           {"", false},
        {"missing.bmp", false}, {"empty.bmp", false},
    };
    for (const Case& c : cases) {
        const QImage image = bitmaps.LoadBitmap(QString::fromLatin1(c.value));
        EXPECT_EQ(!image.isNull(), c.loads) << c.value;
        if (c.loads) {
            EXPECT_EQ(image.pixel(3, 2), 0xFF112233) << c.value;
        }
    }
    EXPECT_THROW(bitmaps.LoadBitmap("text.bmp"), ESkinError);
}

TEST(LoadBitmap, DecodesAMemberOnceForAllItsSections)
{
    int lookups = 0;
    const QByteArray bytes = BmpBytes(Solid(4, 3, 0x112233));
    TSkinBitmaps bitmaps([&](const QString&) {
        ++lookups;
        return bytes;
    });
    const QImage first = bitmaps.LoadBitmap("a.bmp");
    const QImage second = bitmaps.LoadBitmap("skins/A.bmp");
    EXPECT_EQ(lookups, 1);
    EXPECT_EQ(first.constBits(), second.constBits());
}

// An 8-bit palette bitmap as older skin editors wrote them: two colours, bottom-up rows, either
// plain (rows padded to 4 bytes) or run-length coded.
QByteArray PaletteBmp(int width, int height, bool runLength, const QByteArray& pixels)
{
    const QList<QRgb> palette{0xFF00FF, 0x112233};
    QByteArray bytes;
    const auto put32 = [&](int32_t value) { bytes.append(reinterpret_cast<const char*>(&value), 4); };
    const auto put16 = [&](int16_t value) { bytes.append(reinterpret_cast<const char*>(&value), 2); };
    const int offset = 14 + 40 + 4 * int(palette.size());
    bytes.append("BM");
    put32(offset + int(pixels.size()));
    put32(0);
    put32(offset);
    put32(40);
    put32(width);
    put32(height);
    put16(1);
    put16(8);
    put32(runLength ? 1 : 0);
    put32(int32_t(pixels.size()));
    put32(2835);
    put32(2835);
    put32(int32_t(palette.size()));
    put32(0);
    for (QRgb colour : palette)
        put32(int32_t(colour));
    return bytes + pixels;
}

// Qt's reader takes the palette and run-length forms as well as 24-bit ones.
TEST(LoadBitmap, ReadsPaletteAndRunLengthBitmaps)
{
    // Rows from the bottom: 0 1 0, then 1 0 1 (1 is the colour, 0 the magenta key).
    const QByteArray plain("\x00\x01\x00\x00\x01\x00\x01\x00", 8);
    const QByteArray coded("\x01\x00\x01\x01\x01\x00\x00\x00\x01\x01\x01\x00\x01\x01\x00\x01", 16);
    for (const bool runLength : {false, true}) {
        const QByteArray bytes = PaletteBmp(3, 2, runLength, runLength ? coded : plain);
        TSkinBitmaps bitmaps([&](const QString&) { return bytes; });
        const QImage image = bitmaps.LoadBitmap("palette.bmp");
        ASSERT_EQ(image.size(), QSize(3, 2)) << runLength;
        EXPECT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);
        const QRgb top[] = {0xFF112233, 0xFFFF00FF, 0xFF112233};
        const QRgb bottom[] = {0xFFFF00FF, 0xFF112233, 0xFFFF00FF};
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(image.pixel(x, 0), top[x]) << runLength << x;
            EXPECT_EQ(image.pixel(x, 1), bottom[x]) << runLength << x;
        }
    }
}

TEST(LoadBitmap, RefusesAnImageLargerThanAnySkinNeeds)
{
    // A header claiming 5000 × 5000 pixels over a few bytes.
    QByteArray bytes = BmpBytes(Solid(2, 2, 0));
    const auto put = [&](int offset, int32_t value) { memcpy(bytes.data() + offset, &value, 4); };
    put(18, 5000);
    put(22, 5000);
    TSkinBitmaps bitmaps([&](const QString&) { return bytes; });
    EXPECT_THROW(bitmaps.LoadBitmap("big.bmp"), ESkinError);
}

TEST(SkinDescription, ColourSetAndTables)
{
    SkinFiles files;
    files.Ini = "[Colours]\r\nButtonFace=200,200,200\r\nHilight=1,2,3\r\n[Colour1]\r\ncolor=0,0,255\r\n"
                "[colours]\r\ncolor=1,1,1\r\n[COLOURX]\r\n[Customcolors]\r\nColor3=4,5,6\r\n"
                "[TitlebarSkin]\r\nSkinName=Fixture\r\n";
    const TSkinDescription d = files.Read();
    EXPECT_EQ(d.SkinName, "Fixture");
    EXPECT_EQ(d.Colours.ButtonFace, 0xC8C8C8);
    EXPECT_EQ(d.Colours.Menubar, 0xC8C8C8); // follows ButtonFace
    EXPECT_EQ(d.Colours.Hilight, 0x030201);
    EXPECT_EQ(d.Colours.WindowText, platform::clWindowText);
    EXPECT_EQ(d.ColourTable, (QList<platform::TColor>{0xFF0000, platform::clWindowText}));
    EXPECT_EQ(d.CustomColours[3], 0x060504);
    EXPECT_EQ(d.CustomColours[0], platform::clWhite);
}

TEST(SkinDescription, TrackChannelsAreTheProgramsOwn)
{
    const TSkinDescription d = SkinFiles().Read();
    for (const TDataSkinObject* track : {&d.Track, &d.TrackVert}) {
        EXPECT_FALSE(track->Image.isNull()) << track->Name.toStdString();
        EXPECT_EQ(track->Frames, 1);
        EXPECT_EQ(track->Edges(), QMargins(3, 3, 3, 3));
        EXPECT_EQ(track->Tile, 0);
    }
    EXPECT_EQ(d.Track.Image.size(), d.TrackVert.Image.size().transposed());
}

} // namespace
