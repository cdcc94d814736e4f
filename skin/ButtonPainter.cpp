#include "skin/ButtonPainter.h"

#include "controls/LXButton.h"
#include "skin/SkinControlDraw.h"

#include <QPainter>
#include <QStyleOptionButton>

namespace {

class TButtonPainter final : public TSkinPainter {
public:
    bool DrawControl(const TSkinPaintContext& context, QStyle::ControlElement element,
                     const QStyleOption& option, QPainter& painter, const QWidget* widget) const override;
    bool PaintWidget(const TSkinPaintContext& context, QWidget& widget, QPainter& painter) const override;
};

// The skin's text colour of the cell where [Buttons] gave one, else the button's font colour.
QColor TextColour(const TDataSkinButton& buttons, int cell, const QColor& fontColour)
{
    if (cell == 1 && buttons.HasNormalColour2)
        return platform::ToQColor(buttons.NormalColour2);
    if (cell == 2 && buttons.HasPressedColour2)
        return platform::ToQColor(buttons.PressedColour2);
    if ((cell == 4 || cell == 5) && buttons.HasMouseOverColour2)
        return platform::ToQColor(buttons.MouseOverColour2);
    return fontColour;
}

// The first "||" of a caption is its line break; CR LF breaks a line as well.
QString CaptionLines(QString caption)
{
    if (const qsizetype bar = caption.indexOf(QLatin1String("||")); bar >= 0)
        caption.replace(bar, 2, QLatin1Char('\n'));
    caption.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return caption;
}

void PaintFace(const TSkinPaintContext& context, const QStyleOption& option, QPainter& painter)
{
    if (!context.OverParent())
        painter.fillRect(option.rect, context.Face());
    const TDataSkinButton& buttons = context.Skin.Buttons;
    DrawSkinObject(painter, option.rect, buttons.Frames, PushStateCell(option.state), buttons);
}

void PaintCaption(const TSkinPaintContext& context, const QStyleOption& option, const QString& caption,
                  const QColor& fontColour, QPainter& painter, const QWidget* widget)
{
    const QString lines = CaptionLines(caption);
    const bool enabled = option.state & QStyle::State_Enabled;
    const QRect area = option.rect.adjusted(2, 2, -2, -2);
    const int flags = Qt::AlignHCenter | Qt::TextWordWrap | MnemonicFlag(context.Base, option, widget);
    painter.save();
    painter.setPen(TextColour(context.Skin.Buttons, PushStateCell(option.state), fontColour));
    DrawTextCentered(painter, area, flags, enabled, lines);
    if ((option.state & QStyle::State_HasFocus) && !(context.Options & xoNoFocusRect))
        DrawFocusText(painter, flags, area, lines, QMargins(2, 2, 2, 2), option.rect);
    painter.restore();
}

} // namespace

bool TButtonPainter::DrawControl(const TSkinPaintContext& context, QStyle::ControlElement element,
                                 const QStyleOption& option, QPainter& painter, const QWidget* widget) const
{
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(&option);
    if (!button || context.Skin.Buttons.Image.isNull())
        return false;
    const bool face = element == QStyle::CE_PushButton || element == QStyle::CE_PushButtonBevel;
    const bool label = element == QStyle::CE_PushButton || element == QStyle::CE_PushButtonLabel;
    if (!face && !label)
        return false;
    if (face)
        PaintFace(context, option, painter);
    if (label) {
        // The skin has no place for an icon: a button with one keeps the base style's label.
        if (!button->icon.isNull())
            context.Base.drawControl(QStyle::CE_PushButtonLabel, button, &painter, widget);
        else
            PaintCaption(context, option, button->text, option.palette.color(QPalette::ButtonText), painter,
                         widget);
    }
    return true;
}

bool TButtonPainter::PaintWidget(const TSkinPaintContext& context, QWidget& widget, QPainter& painter) const
{
    auto* button = qobject_cast<TLXCustomButton*>(&widget);
    if (!button || context.Skin.Buttons.Image.isNull())
        return false;
    QStyleOptionButton option;
    option.initFrom(button);
    option.state &= ~QStyle::State_MouseOver;
    if (button->Hot())
        option.state |= QStyle::State_MouseOver;
    if (button->isDown())
        option.state |= QStyle::State_Sunken;
    painter.setFont(button->Font().ToQFont());
    PaintFace(context, option, painter);
    PaintCaption(context, option, button->Caption(), platform::ToQColor(button->Font().Color()), painter,
                 button);
    return true;
}

const TSkinPainter& ButtonPainter()
{
    static const TButtonPainter painter;
    return painter;
}
