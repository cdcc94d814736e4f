#include "SkinCellImages.h"
#include "SkinFiles.h"
#include "skin/core/SkinColours.h"
#include "skin/core/SkinDraw.h"

#include <gtest/gtest.h>

using namespace skinbuilder;

namespace {

// The gradient's last line: the run truncates toward zero, so a falling channel ends one above.
void ExpectBottomColour(const QImage& toolbar, QRgb bottom)
{
    const QRgb last = toolbar.pixel(0, toolbar.height() - 1);
    EXPECT_NEAR(qRed(last), qRed(bottom), 1);
    EXPECT_NEAR(qGreen(last), qGreen(bottom), 1);
    EXPECT_NEAR(qBlue(last), qBlue(bottom), 1);
}

TEST(ColourText, RunsOfDigitsAreRedGreenBlue)
{
    struct Case {
        const char* text;
        platform::TColor colour;
    };
    const Case cases[] = {
        {"255,128,0", 0x0080FF},
        {"255, 128", 0x0000FF},
        {"0,0,255", 0xFF0000},
        {"255", 0},
        {"", 0x7777},
        {"  ", 0x7777},
        {" 1,2,3 ", 0x030201},
        {"1,2,3,4", 0x030201},
        {"12a3b", 0x030C},
        {"1,,2", 0x000001},
        {"256,0,0", 0x000100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseColourText(QString::fromLatin1(c.text), 0x7777), c.colour) << c.text;
}

// A skin with SunkEdge (4 cells 20 × 21, edges 3), ComboButton (4 cells 17 × 21) and ExtraImages (5
// glyphs 7 × 5), each cell a signature of its own.
SkinFiles ComboSkin(bool withExtraImages)
{
    SkinFiles files;
    files.Ini =
        "[SunkEdge]\r\nImage=sunk.bmp\r\nLeftWidth=3\r\nRightWidth=3\r\nTopHeight=3\r\nBottomHeight=4\r\n"
        "[ComboButton]\r\nImage=combo.bmp\r\nLeftWidth=1\r\nRightWidth=1\r\nTopHeight=1\r\nBottomHeight="
        "1\r\n";
    if (withExtraImages)
        files.Ini += "[ExtraImages]\r\nImage=extra.bmp\r\n";
    files.AddImage("sunk.bmp", SignatureImage(CellLayout(10, 4, {20, 21}, {3, 3, 3, 4})));
    files.AddImage("combo.bmp", SignatureImage(CellLayout(11, 4, {17, 21}, {1, 1, 1, 1})));
    files.AddImage("extra.bmp", SignatureImage(CellLayout(12, 5, {7, 5})));
    return files;
}

TEST(ComboStrip, SunkFrameWithTheButtonAtItsRightAndAMagentaInside)
{
    const TSkinDescription d = ComboSkin(true).Read();
    const TDataSkinBorder& combo = *d.ComboButton;
    ASSERT_EQ(combo.Image.size(), QSize(200, 21));
    EXPECT_EQ(combo.Style, 2);
    EXPECT_EQ(combo.Frames, 4);
    EXPECT_EQ(combo.Edges(), QMargins(2, 3, 21, 4)); // w = 17 + 2; right w + 2, left 2
    for (int cell = 1; cell <= 4; ++cell) {
        SCOPED_TRACE(cell);
        const int x = 50 * (cell - 1);
        EXPECT_EQ(combo.Image.pixel(x + 1, 10), Signature(10, cell, CellPart::Edge));    // sunk's left edge
        EXPECT_EQ(combo.Image.pixel(x + 2, 2), SkinKeyColor);                            // the inside...
        EXPECT_EQ(combo.Image.pixel(x + 29, 17), SkinKeyColor);                          // ...to (49 - w, 18)
        EXPECT_EQ(combo.Image.pixel(x + 30, 10), Signature(10, cell, CellPart::Centre)); // sunk's centre
        EXPECT_EQ(combo.Image.pixel(x + 32, 10), Signature(11, cell, CellPart::Centre)); // the button
        EXPECT_EQ(combo.Image.pixel(x + 31, 0), Signature(11, cell, CellPart::Corner));
        // The glyph centred in the button's 19 × 21: at (31 + 6, 8).
        EXPECT_EQ(combo.Image.pixel(x + 37, 8), Signature(12, cell, CellPart::Centre));
        EXPECT_EQ(combo.Image.pixel(x + 43, 12), Signature(12, cell, CellPart::Centre));
        EXPECT_EQ(combo.Image.pixel(x + 44, 10), Signature(11, cell, CellPart::Centre));
    }
    const TDataSkinObject& sunk = *d.SunkEdge;
    EXPECT_EQ(sunk.Image, combo.Image.mirrored(true, false));
    EXPECT_EQ(sunk.Edges(), QMargins(21, 3, 2, 4));
    // The button's own image, mirrored, stays its second image.
    EXPECT_EQ(combo.Image2.size(), QSize(68, 21));
    EXPECT_EQ(combo.Image2.pixel(67, 5), Signature(11, 1, CellPart::Edge));
}

TEST(ComboStrip, NeedsBothObjects)
{
    SkinFiles files = ComboSkin(false);
    files.Ini.replace("[SunkEdge]", "[SunkEdgeNot]");
    const TSkinDescription d = files.Read();
    EXPECT_EQ(d.ComboButton->Image.size(), QSize(68, 21));
    EXPECT_EQ(d.ComboButton->Style, 0);
    EXPECT_EQ(d.ComboButton->Edges(), QMargins(1, 1, 1, 1));
}

TEST(Toolbar, GradientFromTheFaceToTheTitleColour)
{
    struct Case {
        const char* what;
        QRgb title; // the Top border's pixel at (20, 8): a third of 60 and of its first 24-row cell
        QRgb bottom;
    };
    const Case cases[] = {
        // Saturation 0: MixColors(grey, title, 150) = (200 × 850 + 128 × 150 + 500) div 1000.
        {"light grey", qRgb(200, 200, 200), qRgb(189, 189, 189)},
        // No channel reaches 160, so saturation 200: MixColors(title, white, 54).
        {"dark grey", qRgb(100, 100, 100), qRgb(171, 171, 171)},
        // Saturation 255: MixColors(title, white, (5625 - 6375) div 140 + 50 = 45).
        {"red", qRgb(255, 0, 0), qRgb(255, 140, 140)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SkinFiles files;
        files.Ini = "[Personality]\r\nTop=top.bmp\r\nTopFrame=2\r\n[Colours]\r\nButtonFace=200,200,200\r\n";
        QImage top(60, 48, QImage::Format_RGB32);
        top.fill(qRgb(0, 0, 90));
        top.setPixel(20, 8, c.title);
        files.AddImage("top.bmp", top);
        const TSkinDescription d = files.Read();
        EXPECT_EQ(TitleColour(d), platform::FromQColor(QColor(c.title)));
        ASSERT_EQ(d.Toolbar.Image.size(), QSize(10, 40));
        EXPECT_EQ(d.Toolbar.Frames, 1);
        EXPECT_EQ(d.Toolbar.Name, "Toolbar");
        // MixColors(face, white, 150) = (255 × 850 + 200 × 150 + 500) div 1000 = 247.
        EXPECT_EQ(d.Toolbar.Image.pixel(9, 0), qRgb(247, 247, 247));
        ExpectBottomColour(d.Toolbar.Image, c.bottom);
    }
}

TEST(Toolbar, WithoutATopImageTheTitleIsTheFaceColour)
{
    const TSkinDescription d = SkinFiles().Read();
    EXPECT_EQ(TitleColour(d), platform::clBtnFace);
    // The face colour is the system's (212, 208, 200), saturation 14: MixColors(grey, face, 150).
    ExpectBottomColour(d.Toolbar.Image, qRgb(199, 196, 189));
}

} // namespace
