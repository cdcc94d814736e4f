#include "skinbuilder/SkinFixture.h"

#include "skinbuilder/Bmp24.h"

#include <algorithm>

namespace skinbuilder {

IniSection* SkinFixture::Section(const QString& name)
{
    for (IniSection& section : sections)
        if (section.name.compare(name, Qt::CaseInsensitive) == 0)
            return &section;
    return nullptr;
}

ImageLayout* SkinFixture::Image(const QString& file)
{
    for (ImageLayout& image : images)
        if (image.file == file)
            return &image;
    return nullptr;
}

void SkinFixture::SetKey(const QString& section, const QString& key, const QString& value)
{
    if (!Section(section))
        sections.append({section, {}});
    auto& keys = Section(section)->keys;
    for (auto& entry : keys) {
        if (entry.first.compare(key, Qt::CaseInsensitive) == 0) {
            entry.second = value;
            return;
        }
    }
    keys.append({key, value});
}

void SkinFixture::RemoveKey(const QString& section, const QString& key)
{
    if (IniSection* found = Section(section))
        found->keys.removeIf(
            [&](const auto& entry) { return entry.first.compare(key, Qt::CaseInsensitive) == 0; });
}

void SkinFixture::DropSection(const QString& name)
{
    sections.removeIf(
        [&](const IniSection& section) { return section.name.compare(name, Qt::CaseInsensitive) == 0; });
}

QString SkinFixture::IniText() const
{
    const QString end = lfOnly ? QStringLiteral("\n") : QStringLiteral("\r\n");
    QString text;
    for (const IniSection& section : sections) {
        text += u'[' + section.name + u']' + end;
        for (const auto& [key, value] : section.keys)
            text += key + u'=' + value + end;
        text += end;
    }
    return text;
}

QList<Member> SkinFixture::Members() const
{
    QList<Member> members{{IniName, IniText().toLatin1()}};
    for (const ImageLayout& image : images)
        members.append({image.file, Bmp24(SignatureImage(image))});
    return members;
}

QByteArray SkinFixture::Package(Matching matching) const
{
    return SkinPackage(Members(), version, matching);
}

namespace {

// Builds the standard fixture section by section, numbering the images as they come.
class FixtureWriter {
public:
    SkinFixture fixture;

    void Key(const QString& section, const QString& key, const QString& value)
    {
        fixture.SetKey(section, key, value);
    }

    // The image named in section under key, with the next object id.
    ImageLayout& Image(const QString& section, const QString& key, const QString& file, QSize cell, int cells,
                       Edges edges = {}, bool stacked = false)
    {
        Key(section, key, file);
        fixture.images.append({file, ++lastId_, cell, cells, stacked, edges, {}});
        return fixture.images.back();
    }

    // A section read by the generic reader: its image under Image, with the edges as keys.
    ImageLayout& Generic(const QString& section, const QString& file, QSize cell, int cells, Edges edges = {})
    {
        ImageLayout& image = Image(section, "Image", file, cell, cells, edges);
        EdgeKeys(section, edges);
        return image;
    }

    void EdgeKeys(const QString& section, Edges edges)
    {
        Key(section, "LeftWidth", QString::number(edges.left));
        Key(section, "RightWidth", QString::number(edges.right));
        Key(section, "TopHeight", QString::number(edges.top));
        Key(section, "BottomHeight", QString::number(edges.bottom));
    }

private:
    int lastId_ = 0;
};

// The outer corners of a border cell, magenta for the window-region tests.
QList<QRect> OuterCorners(QPoint a, QPoint b)
{
    return {QRect(a, QSize(1, 1)), QRect(b, QSize(1, 1))};
}

} // namespace

SkinFixture StandardFixture()
{
    FixtureWriter w;
    w.Key("TitlebarSkin", "SkinName", "Fixture");

    const QString p = "Personality";
    w.Image(p, "Top", "top.bmp", {60, 24}, 2, {10, 0, 10, 0}, true).magenta = OuterCorners({0, 0}, {59, 0});
    for (const auto& [key, value] : {QPair<QString, QString>{"TopFrame", "2"},
                                     {"TopStretch", "1"},
                                     {"TopTrans", "1"},
                                     {"TopTopHeight", "10"},
                                     {"TopBotHeight", "10"}})
        w.Key(p, key, value);
    for (const QString side : {"Left", "Right"}) {
        const int outer = side == "Left" ? 0 : 5;
        w.Image(p, side, side.toLower() + ".bmp", {6, 40}, 2, {0, 8, 0, 8}).magenta =
            OuterCorners({outer, 0}, {outer, 39});
        w.Key(p, side + "Frame", "2");
        w.Key(p, side + "Trans", "1");
        w.Key(p, side + "TopHeight", "8");
        w.Key(p, side + "BotHeight", "8");
    }
    w.Image(p, "Bottom", "bottom.bmp", {40, 6}, 2, {}, true);
    w.Key(p, "BottomFrame", "2");
    w.Key(p, "BottomTrans", "0");

    w.Image(p, "TextBack", "textback.bmp", {30, 18}, 2, {4, 0, 4, 0});
    for (const auto& [key, value] : {QPair<QString, QString>{"TextShift", "24"},
                                     {"TextShiftVert", "2"},
                                     {"TextRightClip", "70"},
                                     {"TextAlignment", "0"},
                                     {"TXTBackleft", "4"},
                                     {"TXTBackRight", "4"}})
        w.Key(p, key, value);
    w.Image(p, "menuBar", "menubar.bmp", {40, 20}, 2, {4, 0, 4, 0}, true);
    w.Key(p, "TileMenu", "1");
    w.Key(p, "TileLeftMenu", "4");
    w.Key(p, "TileRightMenu", "4");

    w.Key("Fonts", "FontHeight", "14");

    const char* colours[] = {
        "WindowText",    "TitleTextActive", "TitleTextNoActive", "ButtonFace",     "ButtonText",
        "ButtonHilight", "Buttonlight",     "ButtonShadow",      "ButtonDkShadow", "HilightText",
        "Hilight",       "Menubar",         "MenuBarText",       "MenuText",       "Menu",
        "Scrollbar"};
    for (int i = 0; i < 16; ++i) {
        const QString key = colours[i];
        w.Key("Colours", key,
              key == "ButtonFace" ? QString("200,200,200")
                                  : QString("%1,%2,%3").arg(10 + i).arg(100 + i).arg(150 + i));
    }

    struct CaptionButton {
        const char* section;
        int action, align, x;
        const char* frame;
        const char* file;
    };
    for (const CaptionButton& b : {CaptionButton{"ButtonClose", 0, 1, 22, "3", "close.bmp"},
                                   CaptionButton{"ButtonMax", 1, 1, 40, "3", "max.bmp"},
                                   CaptionButton{"ButtonMin", 2, 1, 58, "3", "min.bmp"},
                                   CaptionButton{"ButtonIcon", 3, 0, 4, "0", "icon.bmp"}}) {
        w.Key(b.section, "Action", QString::number(b.action));
        w.Key(b.section, "Align", QString::number(b.align));
        w.Key(b.section, "Xcoord", QString::number(b.x));
        w.Key(b.section, "Ycoord", "5");
        w.Key(b.section, "frame", b.frame);
        w.Image(b.section, "ButtonImage", b.file, {16, 16}, 3).magenta = {QRect(0, 0, 1, 1)};
    }
    w.Key("ButtonDeco", "Action", "-1"); // no Visibility: dropped
    w.Image("ButtonDeco", "ButtonImage", "deco.bmp", {16, 16}, 3);

    const QString b = "Buttons";
    const QList<QRect> corners{QRect(0, 0, 2, 2), QRect(18, 0, 2, 2), QRect(0, 18, 2, 2),
                               QRect(18, 18, 2, 2)};
    w.Image(b, "Bitmap", "button.bmp", {20, 20}, 5, {4, 4, 4, 4}).magenta = corners;
    w.EdgeKeys(b, {4, 4, 4, 4});
    w.Key(b, "Trans", "1");
    w.Image(b, "CheckButton", "check.bmp", {13, 13}, 4);
    w.Image(b, "RadioButton", "radio.bmp", {13, 13}, 8);
    w.Key(b, "RadioButtonFrame", "8");
    w.Key(b, "NormalColour2", "0,0,128");
    w.Key(b, "MouseOverColour2", "0,0,255");
    w.Key(b, "PressedColour2", "255,255,255");

    w.Image("Progress", "Bitmap", "progress.bmp", {20, 16}, 2, {3, 3, 3, 3});
    w.EdgeKeys("Progress", {3, 3, 3, 3});
    w.Image("Progress", "Chunk", "chunk.bmp", {8, 12}, 1);
    w.Key("Progress", "Style", "0");
    w.Generic("GroupBoxEdge", "groupboxedge.bmp", {20, 20}, 2, {4, 4, 4, 4});
    w.Generic("GroupBox", "groupbox.bmp", {30, 16}, 1, {4, 0, 4, 0});
    w.Generic("Tabs", "tabs.bmp", {24, 20}, 5, {3, 3, 3, 0});
    w.Image("Tabs", "Border", "tabpane.bmp", {20, 20}, 1, {2, 2, 2, 2});
    w.Key("Tabs", "Style", "0");
    w.Key("Tabs", "NormalColour2", "1,2,3");
    w.Key("Tabs", "MouseOverColour2", "4,5,6");
    w.Generic("Tab.Pane", "tab.pane.bmp", {24, 24}, 1, {8, 3, 3, 3}); // LeftWidth 8 becomes 4
    w.Generic("StatusBarEdges", "statusbaredges.bmp", {12, 20}, 3, {2, 2, 2, 2});
    w.Key("StatusBarEdges", "NormalColour2", "7,8,9");
    w.Generic("ComboButton", "combobutton.bmp", {17, 21}, 4, {2, 2, 2, 2});
    w.Generic("SunkEdge", "sunkedge.bmp", {20, 21}, 4, {2, 2, 2, 2});
    w.Generic("ExtraImages", "extraimages.bmp", {9, 9}, 5);
    w.Generic("Headerbar", "headerbar.bmp", {30, 18}, 5, {3, 3, 3, 3});
    w.Generic("MenuItem", "menuitem.bmp", {30, 18}, 5, {4, 0, 0, 0});
    w.Generic("MenuBackground", "menubackground.bmp", {20, 20}, 1, {3, 3, 3, 3});
    w.Generic("Scrollbar", "scrollbar.bmp", {16, 16}, 23);
    w.Generic("HorzScroll", "horzscroll.bmp", {16, 16}, 4, {2, 2, 2, 2});
    w.Generic("VertScroll", "vertscroll.bmp", {16, 16}, 4, {2, 2, 2, 2});
    for (const QString thumb : {"HorzScrollThumb", "VertScrollThumb"}) {
        w.Generic(thumb, thumb.toLower() + ".bmp", {16, 16}, 3, {3, 3, 3, 3});
        w.Key(thumb, "FrameCount", "3");
    }
    w.Generic("Trackbar.ThumbHorz", "thumbhorz.bmp", {11, 20}, 5);
    w.Generic("Trackbar.ThumbVert", "thumbvert.bmp", {20, 11}, 5);
    for (const QString updown : {"UpDown.Vert", "UpDown.Horz"}) {
        w.Generic(updown, updown.toLower() + ".bmp", {16, 10}, 8, {2, 2, 2, 2});
        w.Image(updown, "GlyphImage", updown.toLower() + ".glyph.bmp", {7, 4}, 8);
    }
    return w.fixture;
}

} // namespace skinbuilder
