#include "skin/core/SkinDescriptionReader.h"

#include "skin/core/ImgUtil.h"
#include "skin/core/LZH.h"
#include "skin/core/QuickIni.h"
#include "skin/core/SkinBitmap.h"
#include "skin/core/SkinCaptionButtons.h"
#include "skin/core/SkinColours.h"
#include "skin/core/SkinMadeImages.h"
#include "skin/core/SkinSource.h"

#include <QImage>
#include <algorithm>

namespace {

// The generic sections after the group box, with their frame counts.
void ReadControlObjects(const TSkinSource& source, TSkinDescription& d)
{
    const platform::TColor text = d.Colours.ButtonText;
    const auto generic = [&](const char* section, int frames) {
        return ReadGeneric(source, QString::fromLatin1(section), frames, text);
    };
    d.GroupBoxEdge = generic("GroupBoxEdge", 2);
    d.GroupBox = ReadBoxLabel(source, QStringLiteral("GroupBox"), 1, text);
    d.Tabs = ReadBorderStyle(source, QStringLiteral("Tabs"), QStringLiteral("Border"), 5, text);
    d.StatusBarEdges = generic("StatusBarEdges", 3);
    d.TabPane = generic("Tab.Pane", 1);
    if (d.TabPane) {
        for (int* edge :
             {&d.TabPane->LeftWidth, &d.TabPane->TopHeight, &d.TabPane->RightWidth, &d.TabPane->BottomHeight})
            *edge = std::min(*edge, 4);
    }
    d.ToolBars = generic("ToolBars", 5);
    d.ComboButton = ReadBorderStyle(source, QStringLiteral("ComboButton"), QStringLiteral("****"), 4, text);
    if (d.ComboButton && !d.ComboButton->Image.isNull()) {
        d.ComboButton->Image2 = d.ComboButton->Image.copy();
        MirrorBitmap(d.ComboButton->Image2);
    }
    d.SunkEdge = generic("SunkEdge", 4);
    d.ExtraImages = generic("ExtraImages", 5);
    d.Headerbar = generic("Headerbar", 5);
    d.MenuItem = generic("MenuItem", 5);
    d.MenuBackground = generic("MenuBackground", 1);
    d.Scrollbar = generic("Scrollbar", 23);
    d.HorzScroll = generic("HorzScroll", 4);
    d.VertScroll = generic("VertScroll", 4);
    d.HorzScrollThumb = generic("HorzScrollThumb", source.Integer(QStringLiteral("HorzScrollThumb"),
                                                                  QStringLiteral("FrameCount"), 3));
    d.VertScrollThumb = generic("VertScrollThumb", source.Integer(QStringLiteral("VertScrollThumb"),
                                                                  QStringLiteral("FrameCount"), 3));
    d.TrackbarThumbHorz = generic("Trackbar.ThumbHorz", 5);
    d.TrackbarThumbVert = generic("Trackbar.ThumbVert", 5);
    d.TrackbarThumbLeft = generic("Trackbar.ThumbLeft", 5);
    d.TrackbarThumbRight = generic("Trackbar.ThumbRight", 5);
    d.TrackbarThumbUp = generic("Trackbar.ThumbUp", 5);
    d.TrackbarThumbDown = generic("Trackbar.ThumbDown", 5);
    d.UpDownHorz =
        ReadBorderStyle(source, QStringLiteral("UpDown.Horz"), QStringLiteral("GlyphImage"), 8, text);
    d.UpDownVert =
        ReadBorderStyle(source, QStringLiteral("UpDown.Vert"), QStringLiteral("GlyphImage"), 8, text);
}

} // namespace

TSkinDescription ReadSkinIni(const TQuickIni& ini, const TSkinMembers& members)
{
    TSkinBitmaps bitmaps(members);
    const TSkinSource source{ini, bitmaps};
    TSkinDescription d;
    QStringList sections;
    ini.ReadSections(sections);
    d.SkinName = source.String(QStringLiteral("TitlebarSkin"), QStringLiteral("SkinName"));
    d.Left = ReadBorder(source, QStringLiteral("Left"));
    d.Right = ReadBorder(source, QStringLiteral("Right"));
    d.Top = ReadBorder(source, QStringLiteral("Top"));
    d.Bottom = ReadBorder(source, QStringLiteral("Bottom"));
    d.Colours = ReadColourSet(source);
    d.ColourTable = ReadColourTable(source, sections);
    d.CustomColours = ReadCustomColours(source);
    d.SysButtons = ReadCaptionButtons(source, sections);
    d.Buttons = ReadButtons(source, d.Colours.ButtonText);
    d.Title = ReadTitle(source);
    d.Progress = ReadProgress(source);
    d.MenuBar = ReadMenuBar(source);
    ReadControlObjects(source, d);
    d.Track = MakeTrackChannel(QStringLiteral("TRACK"));
    d.TrackVert = MakeTrackChannel(QStringLiteral("TRACKVERT"));
    MakeComboStrip(d);
    d.Toolbar = MakeToolbar(d);
    return d;
}

TSkinLoadResult LoadSkinDescription(QByteArrayView package)
{
    TSkinReader reader;
    try {
        const SkinPackageResult opened = reader.Open(package);
        if (!opened)
            return {opened.status, opened.message, std::nullopt};
    } catch (const ElzhException& error) {
        return {SkinPackageStatus::Damaged, QString::fromStdString(error.what()), std::nullopt};
    }
    return ReadSkinDescription(reader);
}

TSkinLoadResult ReadSkinDescription(const TSkinReader& package)
{
    QString iniName;
    TQuickIni ini;
    ini.LoadFromStream(package.ExtractByPart(QStringLiteral(".ini"), iniName));
    // Without its description a package would frame every window with nothing.
    if (iniName.isEmpty())
        return {SkinPackageStatus::Damaged, DamagedSkinMessage(QStringLiteral("no skin description in it")),
                std::nullopt};
    try {
        return {SkinPackageStatus::Opened, QString(),
                ReadSkinIni(ini, [&package](const QString& name) { return package.ExtractByName(name); })};
    } catch (const ESkinError& error) {
        return {SkinPackageStatus::Damaged, QString::fromStdString(error.what()), std::nullopt};
    }
}
