#include "SkinCellImages.h"
#include "SkinFiles.h"

#include <gtest/gtest.h>

using namespace skinbuilder;

namespace {

QImage Solid(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(0x445566);
    return image;
}

TEST(CaptionButtons, WhichAreKeptAndTheirFrames)
{
    struct Case {
        const char* what;
        const char* keys;
        QSize image;
        bool kept;
        int frames;
        bool imageKept;
        int visibility1;
    };
    const Case cases[] = {
        {"hidden without Visibility", "Action=-1", {60, 20}, false, 0, false, 0},
        {"hidden with Visibility 1", "Action=-1\r\nVisibility=1", {60, 20}, false, 0, false, 0},
        {"hidden with Visibility 0", "Action=-1\r\nVisibility=0", {60, 20}, true, 6, true, -1},
        {"ratio 3.0", "Action=0", {60, 20}, true, 3, true, 0},
        {"ratio 3.8", "Action=0", {76, 20}, true, 3, true, 0},
        {"ratio 6.0", "Action=0", {120, 20}, true, 6, true, 0},
        {"no image", "Action=1", {0, 0}, true, 6, false, 0},
        {"explicit frame", "Action=0\r\nframe=4", {120, 20}, true, 4, true, 0},
        {"window menu, frame 0", "Action=3", {48, 16}, true, 3, false, 0},
        {"window icon, frame 0", "Action=11", {48, 16}, true, 3, false, 0},
        {"window menu, frame 2", "Action=3\r\nframe=2", {48, 16}, true, 2, true, 0},
        {"negative frame", "Action=2\r\nframe=-1", {48, 16}, true, 1, true, 0},
        {"Visibility1 given", "Action=2\r\nVisibility1=200", {48, 16}, true, 3, true, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SkinFiles files;
        files.Ini =
            QStringLiteral("[ButtonX]\r\n%1\r\nButtonImage=b.bmp\r\n").arg(QString::fromLatin1(c.keys));
        if (!c.image.isEmpty())
            files.AddImage("b.bmp", Solid(c.image.width(), c.image.height()));
        const TSkinDescription d = files.Read();
        ASSERT_EQ(d.SysButtons.size(), c.kept ? 4u : 3u); // the three MDI buttons always follow
        if (!c.kept)
            continue;
        const TDataSkinSysButton& button = d.SysButtons.front();
        EXPECT_EQ(button.Name, "BUTTONX");
        EXPECT_EQ(button.Frames, c.frames);
        EXPECT_EQ(!button.Image.isNull(), c.imageKept);
        EXPECT_EQ(button.Visibility1, c.visibility1);
    }
}

TEST(CaptionButtons, SectionOrderFieldsAndTheMdiButtons)
{
    SkinFiles files;
    files.Ini = "[ButtonClose]\r\nAction=0\r\nAlign=1\r\nXcoord=22\r\nYcoord=5\r\nframe=3\r\nButtonImage="
                "close.bmp\r\n"
                "[Buttons]\r\n[Button.Radio]\r\n[BUTTON.CHECKBOX]\r\n[Button]\r\n[buttonmax]\r\nAction=1\r\n"
                "CombineOp=2\r\n[MDICONTROLS]\r\nImage=mdi.bmp\r\n";
    files.AddImage("close.bmp", Solid(48, 16));
    files.AddImage("mdi.bmp", SignatureImage(CellLayout(9, 12, {10, 8})));
    const TSkinDescription d = files.Read();

    ASSERT_EQ(d.SysButtons.size(), 5u);
    const TDataSkinSysButton& close = d.SysButtons[0];
    EXPECT_EQ(close.Name, "BUTTONCLOSE");
    EXPECT_EQ(close.Align, 1);
    EXPECT_EQ(close.Xcoord, 22);
    EXPECT_EQ(close.Ycoord, 5);
    EXPECT_EQ(close.CombineOp, -1);
    EXPECT_EQ(d.SysButtons[1].Name, "BUTTONMAX");
    EXPECT_EQ(d.SysButtons[1].Action, 1);
    EXPECT_EQ(d.SysButtons[1].CombineOp, 2);
    const int actions[] = {7, 8, 9};
    for (int k = 0; k < 3; ++k) {
        const TDataSkinSysButton& mdi = d.SysButtons[static_cast<size_t>(2 + k)];
        EXPECT_EQ(mdi.Action, actions[k]);
        EXPECT_EQ(mdi.Align, 100);
        EXPECT_EQ(mdi.Visibility, 100);
        EXPECT_EQ(mdi.Visibility1, 100);
        EXPECT_EQ(mdi.Frames, 4);
        EXPECT_EQ(mdi.Xcoord, 14 * (3 - k));
        ASSERT_EQ(mdi.Image.size(), QSize(40, 8));
        EXPECT_EQ(mdi.Image.pixel(0, 0), Signature(9, 4 * k + 1, CellPart::Centre));
        EXPECT_EQ(mdi.Image.pixel(39, 7), Signature(9, 4 * k + 4, CellPart::Centre));
    }
}

} // namespace
