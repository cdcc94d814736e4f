#include "skin/core/SkinSource.h"

#include "skin/core/QuickIni.h"
#include "skin/core/SkinBitmap.h"
#include "skin/core/SkinColours.h"

#include <algorithm>

namespace {

const QString Personality = QStringLiteral("Personality");

int Edge(int width)
{
    return std::max(width, 0);
}

// Tile keys hold 0 or 1; the readers differ in what a larger value becomes.
int ClampTile(int tile, int above1Becomes)
{
    return tile > 1 ? above1Becomes : tile;
}

void ReadEdges(const TSkinSource& source, const QString& section, TDataSkinObject& object)
{
    object.LeftWidth = Edge(source.Integer(section, QStringLiteral("LeftWidth"), 0));
    object.RightWidth = Edge(source.Integer(section, QStringLiteral("RightWidth"), 0));
    object.TopHeight = Edge(source.Integer(section, QStringLiteral("TopHeight"), 0));
    object.BottomHeight = Edge(source.Integer(section, QStringLiteral("BottomHeight"), 0));
}

// The generic reader's fields on an object of any kind.
template <class Object>
std::optional<Object> ReadObject(const TSkinSource& source, const QString& section, int frames,
                                 platform::TColor textColour)
{
    const QString image = source.String(section, QStringLiteral("Image"));
    if (image.isEmpty())
        return std::nullopt;
    Object object(section);
    object.Image = source.Bitmaps.LoadBitmap(image);
    object.Frames = FrameCount(frames);
    object.Style = source.Integer(section, QStringLiteral("Style"), 0);
    ReadEdges(source, section, object);
    object.Trans = source.Integer(section, QStringLiteral("Trans"), 0);
    object.Tile = ClampTile(source.Integer(section, QStringLiteral("Tile"), 0), 0);
    object.NormalColour = source.Integer(section, QStringLiteral("NormalColour"), NoTextColour);
    object.MouseOverColour = source.Integer(section, QStringLiteral("MouseOverColour"), NoTextColour);
    object.PressedColour = source.Integer(section, QStringLiteral("PressedColour"), NoTextColour);
    object.NormalColour2 = source.Colour(section, QStringLiteral("NormalColour2"), textColour);
    object.MouseOverColour2 = source.Colour(section, QStringLiteral("MouseOverColour2"), textColour);
    object.PressedColour2 = source.Colour(section, QStringLiteral("PressedColour2"), textColour);
    return object;
}

void ReadSecondImage(const TSkinSource& source, const QString& section, const QString& key,
                     TDataSkinBorder& object)
{
    const QString value = source.String(section, key);
    if (!value.isEmpty())
        object.Image2 = source.Bitmaps.LoadBitmap(value);
}

// The check and radio images' frame count: as given, or guessed from the image's width.
int CheckFrames(int frames, const QImage& image)
{
    if (frames != 0)
        return FrameCount(frames);
    return std::max(image.width() / (image.height() < 16 ? 13 : 16), 4);
}

} // namespace

QString TSkinSource::String(const QString& section, const QString& key) const
{
    return Ini.ReadString(section, key, QString());
}

int TSkinSource::Integer(const QString& section, const QString& key, int defaultValue) const
{
    return Ini.ReadInteger(section, key, defaultValue);
}

QImage TSkinSource::Bitmap(const QString& section, const QString& key) const
{
    return Bitmaps.LoadBitmap(String(section, key));
}

platform::TColor TSkinSource::Colour(const QString& section, const QString& key,
                                     platform::TColor defaultColour) const
{
    return ParseColourText(String(section, key), defaultColour);
}

int FrameCount(int frames)
{
    return std::max(frames, 1);
}

std::optional<TDataSkinObject> ReadGeneric(const TSkinSource& source, const QString& section, int frames,
                                           platform::TColor textColour)
{
    return ReadObject<TDataSkinObject>(source, section, frames, textColour);
}

std::optional<TDataSkinBorder> ReadBorderStyle(const TSkinSource& source, const QString& section,
                                               const QString& secondKey, int frames,
                                               platform::TColor textColour)
{
    std::optional<TDataSkinBorder> object = ReadObject<TDataSkinBorder>(source, section, frames, textColour);
    if (object)
        ReadSecondImage(source, section, secondKey, *object);
    return object;
}

std::optional<TDataSkinBoxLabel> ReadBoxLabel(const TSkinSource& source, const QString& section, int frames,
                                              platform::TColor textColour)
{
    std::optional<TDataSkinBoxLabel> label =
        ReadObject<TDataSkinBoxLabel>(source, section, frames, textColour);
    if (label) {
        label->BackgroundAlignment = source.Integer(section, QStringLiteral("BackgroundAlignment"), 0);
        label->BackgroundLeftShift = source.Integer(section, QStringLiteral("BackgroundLeftShift"), 0);
        label->BackgroundRightShift = source.Integer(section, QStringLiteral("BackgroundRightShift"), 0);
    }
    return label;
}

std::optional<TDataSkinBorder> ReadProgress(const TSkinSource& source)
{
    const QString section = QStringLiteral("Progress");
    const QString image = source.String(section, QStringLiteral("Bitmap"));
    if (image.isEmpty())
        return std::nullopt;
    TDataSkinBorder progress(section);
    progress.Image = source.Bitmaps.LoadBitmap(image);
    ReadSecondImage(source, section, QStringLiteral("Chunk"), progress);
    progress.Frames = 2;
    progress.Style = source.Integer(section, QStringLiteral("Style"), 0);
    ReadEdges(source, section, progress);
    progress.Trans = source.Integer(section, QStringLiteral("Trans"), 0);
    progress.Tile = ClampTile(source.Integer(section, QStringLiteral("Tile"), 0), 1);
    return progress;
}

TDataSkinBorder ReadBorder(const TSkinSource& source, const QString& name)
{
    TDataSkinBorder border(name);
    border.Image = source.Bitmap(Personality, name);
    border.Frames = FrameCount(source.Integer(Personality, name + QStringLiteral("Frame"), 1));
    // The Stretch key, where 1 means stretched, in the Tile slot.
    border.Tile = ClampTile(source.Integer(Personality, name + QStringLiteral("Stretch"), 1), 1);
    border.Trans = source.Integer(Personality, name + QStringLiteral("Trans"), 1);
    const int first = Edge(source.Integer(Personality, name + QStringLiteral("TopHeight"), 0));
    const int second = Edge(source.Integer(Personality, name + QStringLiteral("BotHeight"), 0));
    if (name == QStringLiteral("Left") || name == QStringLiteral("Right")) {
        border.TopHeight = first;
        border.BottomHeight = second;
    } else {
        border.LeftWidth = first;
        border.RightWidth = second;
    }
    return border;
}

TDataSkinTitle ReadTitle(const TSkinSource& source)
{
    TDataSkinTitle title(QStringLiteral("Title"));
    title.Image = source.Bitmap(Personality, QStringLiteral("TextBack"));
    title.Frames = 2;
    // Text offsets, not image edges: a skin may move its text left or up.
    title.LeftWidth = source.Integer(Personality, QStringLiteral("TextShift"), 0);
    title.TopHeight = source.Integer(Personality, QStringLiteral("TextShiftVert"), 0);
    title.RightWidth = source.Integer(Personality, QStringLiteral("TextRightClip"), 0);
    title.TextAlignment = source.Integer(Personality, QStringLiteral("TextAlignment"), 0);
    title.Textbackground = source.Integer(Personality, QStringLiteral("Textbackground"), 0);
    // The text background strip's caps.
    title.TXTBackleft = Edge(source.Integer(Personality, QStringLiteral("TXTBackleft"), 0));
    title.TXTBackRight = Edge(source.Integer(Personality, QStringLiteral("TXTBackRight"), 0));
    title.FontHeight = source.Integer(QStringLiteral("Fonts"), QStringLiteral("FontHeight"), 14);
    const auto textColour = [&](const QString& prefix, platform::TColor& colour) {
        const int red = source.Integer(Personality, prefix + u'R', -1);
        const int green = source.Integer(Personality, prefix + u'G', -1);
        const int blue = source.Integer(Personality, prefix + u'B', -1);
        if (red >= 0 && green >= 0 && blue >= 0)
            colour = static_cast<platform::TColor>(static_cast<uint32_t>(red) +
                                                   static_cast<uint32_t>(green) * 256u +
                                                   static_cast<uint32_t>(blue) * 65536u);
    };
    textColour(QStringLiteral("ActiveText"), title.ActiveTextColour);
    textColour(QStringLiteral("InActiveText"), title.InactiveTextColour);
    return title;
}

TDataSkinButton ReadButtons(const TSkinSource& source, platform::TColor buttonText)
{
    const QString section = QStringLiteral("Buttons");
    TDataSkinButton buttons(section);
    ReadEdges(source, section, buttons);
    buttons.Trans = source.Integer(section, QStringLiteral("Trans"), 0);
    buttons.Tile = ClampTile(source.Integer(section, QStringLiteral("Tile"), 0), 0);
    buttons.Image = source.Bitmap(section, QStringLiteral("Bitmap"));
    buttons.Frames = 5;
    buttons.CheckButton = source.Bitmap(section, QStringLiteral("CheckButton"));
    buttons.RadioButton = source.Bitmap(section, QStringLiteral("RadioButton"));
    buttons.NormalColour = source.Integer(section, QStringLiteral("NormalColour"), NoTextColour);
    buttons.MouseOverColour = source.Integer(section, QStringLiteral("MouseOverColour"), NoTextColour);
    buttons.PressedColour = source.Integer(section, QStringLiteral("PressedColour"), NoTextColour);
    buttons.RadioButtonFrame =
        CheckFrames(source.Integer(section, QStringLiteral("RadioButtonFrame"), 0), buttons.RadioButton);
    buttons.CheckButtonFrame =
        CheckFrames(source.Integer(section, QStringLiteral("CheckButtonFrame"), 0), buttons.CheckButton);
    buttons.HasNormalColour2 = !source.String(section, QStringLiteral("NormalColour2")).isEmpty();
    buttons.HasMouseOverColour2 = !source.String(section, QStringLiteral("MouseOverColour2")).isEmpty();
    buttons.HasPressedColour2 = !source.String(section, QStringLiteral("PressedColour2")).isEmpty();
    buttons.NormalColour2 = source.Colour(section, QStringLiteral("NormalColour2"), buttonText);
    buttons.MouseOverColour2 = source.Colour(section, QStringLiteral("MouseOverColour2"), buttonText);
    buttons.PressedColour2 = source.Colour(section, QStringLiteral("PressedColour2"), buttonText);
    return buttons;
}

std::optional<TDataSkinObject> ReadMenuBar(const TSkinSource& source)
{
    const QString key = QStringLiteral("menuBar");
    const QString image = source.String(Personality, key);
    if (image.isEmpty())
        return std::nullopt;
    TDataSkinObject menuBar(key);
    menuBar.Image = source.Bitmaps.LoadBitmap(image);
    menuBar.Frames = 2;
    menuBar.Tile = ClampTile(source.Integer(Personality, QStringLiteral("TileMenu"), 1), 1);
    menuBar.LeftWidth = Edge(source.Integer(Personality, QStringLiteral("TileLeftMenu"), 1));
    menuBar.RightWidth = Edge(source.Integer(Personality, QStringLiteral("TileRightMenu"), 1));
    return menuBar;
}
