#include "skin/core/SkinDescriptionReader.h"
#include "skinbuilder/SkinFixture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace skinbuilder;

namespace {

QMargins Margins(const Edges& edges)
{
    return {edges.left, edges.top, edges.right, edges.bottom};
}

TSkinDescription LoadFixture(const SkinFixture& fixture)
{
    TSkinLoadResult result = LoadSkinDescription(fixture.Package());
    EXPECT_EQ(result.status, SkinPackageStatus::Opened) << result.message.toStdString();
    EXPECT_TRUE(result.description);
    return result.description ? std::move(*result.description) : TSkinDescription();
}

TEST(SkinPackage, EveryObjectOfTheFixtureComesThrough)
{
    SkinFixture fixture = StandardFixture();
    const TSkinDescription d = LoadFixture(fixture);
    struct Case {
        const char* file;
        const TDataSkinObject* object;
        int frames;
        int tile;
        int trans;
    };
    const Case cases[] = {
        {"top.bmp", &d.Top, 2, 1, 1},
        {"left.bmp", &d.Left, 2, 1, 1},
        {"right.bmp", &d.Right, 2, 1, 1},
        {"bottom.bmp", &d.Bottom, 2, 1, 0},
        {"button.bmp", &d.Buttons, 5, 0, 1},
        {"progress.bmp", d.Progress ? &*d.Progress : nullptr, 2, 0, 0},
        {"menubar.bmp", d.MenuBar ? &*d.MenuBar : nullptr, 2, 1, 0},
        {"groupboxedge.bmp", d.GroupBoxEdge ? &*d.GroupBoxEdge : nullptr, 2, 0, 0},
        {"groupbox.bmp", d.GroupBox ? &*d.GroupBox : nullptr, 1, 0, 0},
        {"tabs.bmp", d.Tabs ? &*d.Tabs : nullptr, 5, 0, 0},
        {"statusbaredges.bmp", d.StatusBarEdges ? &*d.StatusBarEdges : nullptr, 3, 0, 0},
        {"extraimages.bmp", d.ExtraImages ? &*d.ExtraImages : nullptr, 5, 0, 0},
        {"headerbar.bmp", d.Headerbar ? &*d.Headerbar : nullptr, 5, 0, 0},
        {"menuitem.bmp", d.MenuItem ? &*d.MenuItem : nullptr, 5, 0, 0},
        {"menubackground.bmp", d.MenuBackground ? &*d.MenuBackground : nullptr, 1, 0, 0},
        {"scrollbar.bmp", d.Scrollbar ? &*d.Scrollbar : nullptr, 23, 0, 0},
        {"horzscroll.bmp", d.HorzScroll ? &*d.HorzScroll : nullptr, 4, 0, 0},
        {"vertscroll.bmp", d.VertScroll ? &*d.VertScroll : nullptr, 4, 0, 0},
        {"horzscrollthumb.bmp", d.HorzScrollThumb ? &*d.HorzScrollThumb : nullptr, 3, 0, 0},
        {"vertscrollthumb.bmp", d.VertScrollThumb ? &*d.VertScrollThumb : nullptr, 3, 0, 0},
        {"thumbhorz.bmp", d.TrackbarThumbHorz ? &*d.TrackbarThumbHorz : nullptr, 5, 0, 0},
        {"thumbvert.bmp", d.TrackbarThumbVert ? &*d.TrackbarThumbVert : nullptr, 5, 0, 0},
        {"updown.horz.bmp", d.UpDownHorz ? &*d.UpDownHorz : nullptr, 8, 0, 0},
        {"updown.vert.bmp", d.UpDownVert ? &*d.UpDownVert : nullptr, 8, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_NE(c.object, nullptr);
        const ImageLayout& layout = *fixture.Image(c.file);
        EXPECT_EQ(c.object->Image,
                  SignatureImage(layout).convertToFormat(QImage::Format_ARGB32_Premultiplied));
        EXPECT_EQ(c.object->Frames, c.frames);
        EXPECT_EQ(c.object->Tile, c.tile);
        EXPECT_EQ(c.object->Trans, c.trans);
        // The borders keep their edges under other keys, checked below; the sections give theirs.
        if (c.object != &d.Top && c.object != &d.Bottom) {
            EXPECT_EQ(c.object->Edges(), Margins(layout.edges));
        }
    }
    EXPECT_EQ(d.Top.Edges(), QMargins(10, 0, 10, 0));
    EXPECT_EQ(d.Bottom.Edges(), QMargins());
    EXPECT_EQ(d.TabPane->Edges(), QMargins(4, 3, 3, 3)); // LeftWidth 8 held to 4
    EXPECT_FALSE(d.ToolBars);
    EXPECT_FALSE(d.TrackbarThumbLeft);

    EXPECT_EQ(d.SkinName, "Fixture");
    EXPECT_EQ(d.Title.Edges(), QMargins(24, 2, 70, 0));
    EXPECT_EQ(d.Title.TXTBackleft, 4);
    EXPECT_EQ(d.Colours.ButtonFace, 0xC8C8C8);
    EXPECT_EQ(d.Buttons.CheckButtonFrame, 4);
    EXPECT_EQ(d.Buttons.RadioButtonFrame, 8);
    EXPECT_EQ(d.Buttons.NormalColour2, 0x800000);
    EXPECT_EQ(d.Progress->Image2.size(), QSize(8, 12));
    EXPECT_EQ(d.UpDownVert->Image2.size(), QSize(56, 4));
    EXPECT_EQ(d.ComboButton->Image.size(), QSize(200, 21));
    EXPECT_EQ(d.SunkEdge->Image.size(), QSize(200, 21));

    QStringList names;
    for (const TDataSkinSysButton& button : d.SysButtons)
        names << button.Name;
    EXPECT_EQ(names, (QStringList{"BUTTONCLOSE", "BUTTONMAX", "BUTTONMIN", "BUTTONICON", "MDICONTROLS",
                                  "MDICONTROLS", "MDICONTROLS"}));
    EXPECT_EQ(d.SysButtons[0].Frames, 3);
    EXPECT_EQ(d.SysButtons[0].Xcoord, 22);
    EXPECT_TRUE(d.SysButtons[3].Image.isNull()); // the window icon, frame 0
}

TEST(SkinPackage, VariantsOfTheFixture)
{
    struct Case {
        const char* what;
        std::function<void(SkinFixture&)> edit;
        std::function<void(const TSkinDescription&)> check;
    };
    const Case cases[] = {
        {"a dropped section", [](SkinFixture& f) { f.DropSection("MenuItem"); },
         [](const TSkinDescription& d) {
             EXPECT_FALSE(d.MenuItem);
             EXPECT_TRUE(d.Headerbar);
         }},
        {"LF-only lines", [](SkinFixture& f) { f.lfOnly = true; },
         [](const TSkinDescription& d) {
             EXPECT_EQ(d.SysButtons.size(), 7u);
             EXPECT_EQ(d.Top.Frames, 2);
             EXPECT_EQ(d.Colours.ButtonFace, 0xC8C8C8);
         }},
        {"an upper-case .BMP value", [](SkinFixture& f) { f.SetKey("Personality", "Top", "TOP.BMP"); },
         [](const TSkinDescription& d) {
             EXPECT_TRUE(d.Top.Image.isNull());
             EXPECT_FALSE(d.Left.Image.isNull());
         }},
        {"frame counts 0 and -1",
         [](SkinFixture& f) {
             f.SetKey("Personality", "TopFrame", "0");
             f.SetKey("Personality", "LeftFrame", "-1");
             f.SetKey("HorzScrollThumb", "FrameCount", "0");
             f.SetKey("Buttons", "RadioButtonFrame", "-1");
         },
         [](const TSkinDescription& d) {
             EXPECT_EQ(d.Top.Frames, 1);
             EXPECT_EQ(d.Left.Frames, 1);
             EXPECT_EQ(d.HorzScrollThumb->Frames, 1);
             EXPECT_EQ(d.Buttons.RadioButtonFrame, 1);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SkinFixture fixture = StandardFixture();
        c.edit(fixture);
        c.check(LoadFixture(fixture));
    }
}

TEST(SkinPackage, PackagesThatFailGiveTheirReasonAndNoDescription)
{
    SkinFixture old = StandardFixture();
    old.version = 19999;
    QList<Member> notABitmap = StandardFixture().Members();
    for (Member& member : notABitmap) {
        if (member.name == "top.bmp")
            member.bytes = "BM but then nothing a bitmap holds";
    }
    const QByteArray whole = StandardFixture().Package();
    struct Case {
        const char* what;
        QByteArray package;
        SkinPackageStatus status;
        QString message; // what it contains
    };
    const Case cases[] = {
        {"an old version", old.Package(), SkinPackageStatus::OldVersion, OldSkinMessage},
        {"a member that is no bitmap", SkinPackage(notABitmap), SkinPackageStatus::Damaged, "top.bmp"},
        {"cut in half", whole.left(whole.size() / 2), SkinPackageStatus::Damaged, ""},
        {"four bytes", whole.left(4), SkinPackageStatus::Damaged, ""},
        {"nothing", QByteArray(), SkinPackageStatus::Damaged, ""},
        {"no description", SkinPackage({{"title.bmp", "x"}}), SkinPackageStatus::Damaged,
         "no skin description"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TSkinLoadResult result = LoadSkinDescription(c.package);
        EXPECT_EQ(result.status, c.status);
        EXPECT_FALSE(result.description);
        EXPECT_FALSE(result.message.isEmpty());
        EXPECT_TRUE(result.message.contains(c.message)) << result.message.toStdString();
    }
}

} // namespace
