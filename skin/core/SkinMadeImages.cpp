#include "skin/core/SkinMadeImages.h"

#include "skin/core/ImgUtil.h"
#include "skin/core/SkinDescription.h"
#include "skin/core/SkinDraw.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr int ComboCellWidth = 50;
constexpr int ComboCellHeight = 21;

QImage MagentaImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(SkinKeyColor);
    return image;
}

QImage ComboCell(const TDataSkinObject& sunk, const TDataSkinBorder& combo,
                 const std::optional<TDataSkinObject>& glyphs, int cell, int buttonWidth)
{
    QImage image = MagentaImage(ComboCellWidth, ComboCellHeight);
    QPainter painter(&image);
    DrawSkinFrame(painter, image.rect(), sunk.Image, false, sunk.Tile == 1, sunk.Trans == 1, sunk.Frames,
                  cell, sunk.Edges());
    const QRect button(ComboCellWidth - buttonWidth, 0, buttonWidth, ComboCellHeight);
    DrawSkinFrame(painter, button, combo.Image, false, combo.Tile == 1, true, combo.Frames, cell,
                  combo.Edges());
    if (glyphs)
        DrawSkinCellCentered(painter, button, glyphs->Image, true, glyphs->Frames, cell);
    painter.fillRect(QRect(QPoint(2, 2), QPoint(48 - buttonWidth, 17)), QColor::fromRgb(SkinKeyColor));
    return image;
}

} // namespace

platform::TColor TitleColour(const TSkinDescription& description)
{
    const QImage& top = description.Top.Image;
    if (top.isNull())
        return description.Colours.ButtonFace;
    const int firstCellHeight = top.height() / std::max(description.Top.Frames, 1);
    return platform::FromQColor(QColor::fromRgb(top.pixel(top.width() / 3, firstCellHeight / 3)));
}

void MakeComboStrip(TSkinDescription& description)
{
    if (!description.SunkEdge || !description.ComboButton)
        return;
    TDataSkinObject& sunk = *description.SunkEdge;
    TDataSkinBorder& combo = *description.ComboButton;
    const int buttonWidth = HorizontalScrollArrowWidth + 2;
    QImage strip = MagentaImage(ComboCellWidth * sunk.Frames, ComboCellHeight);
    {
        QPainter painter(&strip);
        for (int cell = 1; cell <= sunk.Frames; ++cell)
            painter.drawImage(ComboCellWidth * (cell - 1), 0,
                              ComboCell(sunk, combo, description.ExtraImages, cell, buttonWidth));
    }
    combo.Image = strip;
    combo.Style = 2;
    combo.TopHeight = sunk.TopHeight;
    combo.BottomHeight = sunk.BottomHeight;
    combo.LeftWidth = 2;
    combo.RightWidth = buttonWidth + 2;
    MirrorBitmap(strip);
    sunk.Image = strip;
    sunk.LeftWidth = buttonWidth + 2;
    sunk.RightWidth = 2;
}

TDataSkinObject MakeToolbar(const TSkinDescription& description)
{
    const platform::TColor title = platform::ColorToRGB(TitleColour(description));
    const platform::TColor top = MixColors(description.Colours.ButtonFace, platform::clWhite, 150);
    platform::TColor bottom = MixColors(platform::clGray, title, 150);
    const int saturation = ColorSaturation(title);
    if (saturation > 110)
        bottom = MixColors(title, platform::clWhite, (5625 - saturation * 25) / 140 + 50);
    TDataSkinObject toolbar(QStringLiteral("Toolbar"));
    toolbar.Image = QImage(10, 40, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&toolbar.Image);
        PaintGradient(painter, toolbar.Image.rect(), top, bottom, true);
    }
    return toolbar;
}

TDataSkinObject MakeTrackChannel(const QString& name)
{
    TDataSkinObject channel(name);
    channel.Image = QImage(QStringLiteral(":/skin/%1.bmp").arg(name.toLower()))
                        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    channel.LeftWidth = channel.TopHeight = channel.RightWidth = channel.BottomHeight = 3;
    return channel;
}
