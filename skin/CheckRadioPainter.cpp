#include "skin/CheckRadioPainter.h"

#include "skin/SkinControlDraw.h"
#include "skin/core/SkinDraw.h"

#include <QPainter>
#include <QStyleOptionButton>

namespace {

class TCheckRadioPainter final : public TSkinPainter {
public:
    enum class Glyph { Check, Radio };
    explicit TCheckRadioPainter(Glyph glyph) : glyph_(glyph) {}

    bool DrawPrimitive(const TSkinPaintContext& context, QStyle::PrimitiveElement element,
                       const QStyleOption& option, QPainter& painter, const QWidget* widget) const override;
    bool DrawControl(const TSkinPaintContext& context, QStyle::ControlElement element,
                     const QStyleOption& option, QPainter& painter, const QWidget* widget) const override;

private:
    Glyph glyph_;
};

// The cells of an image of 12 check cells (or 8 radio cells) for the states of a 4-cell one.
int RemapFourCell(int cell)
{
    switch (cell) {
    case 2:
        return 5;
    case 3:
        return 4;
    case 4:
        return 8;
    default:
        return cell;
    }
}

// 1 unchecked, 2 checked, 2 more when disabled; the partial state is 4 whether enabled or not (a
// disabled partial box would otherwise ask a 4-cell image for cell 6), and 9 or 12 in a 12-cell image.
int CheckCell(QStyle::State state, int frames)
{
    const bool enabled = state & QStyle::State_Enabled;
    if (state & QStyle::State_NoChange)
        return frames == 12 ? (enabled ? 9 : 12) : 4;
    const int cell = ((state & QStyle::State_On) ? 2 : 1) + (enabled ? 0 : 2);
    return frames == 12 ? RemapFourCell(cell) : cell;
}

int RadioCell(QStyle::State state, int frames)
{
    const int cell = ((state & QStyle::State_On) ? 2 : 1) + ((state & QStyle::State_Enabled) ? 0 : 2);
    return frames == 8 ? RemapFourCell(cell) : cell;
}

struct GlyphStrip {
    const QImage& image;
    int frames;
    int cell;
    int rightInset; // from the right edge when the text is on the left
};

GlyphStrip StripOf(TCheckRadioPainter::Glyph glyph, const TDataSkinButton& buttons, QStyle::State state)
{
    if (glyph == TCheckRadioPainter::Glyph::Check)
        return {buttons.CheckButton, buttons.CheckButtonFrame, CheckCell(state, buttons.CheckButtonFrame), 0};
    return {buttons.RadioButton, buttons.RadioButtonFrame, RadioCell(state, buttons.RadioButtonFrame), 1};
}

void DrawGlyph(QPainter& painter, const QRect& place, const GlyphStrip& strip)
{
    DrawSkinCell(painter, place, strip.image, true, strip.frames, strip.cell);
}

} // namespace

bool TCheckRadioPainter::DrawPrimitive(const TSkinPaintContext& context, QStyle::PrimitiveElement element,
                                       const QStyleOption& option, QPainter& painter, const QWidget*) const
{
    const QStyle::PrimitiveElement own =
        glyph_ == Glyph::Check ? QStyle::PE_IndicatorCheckBox : QStyle::PE_IndicatorRadioButton;
    const GlyphStrip strip = StripOf(glyph_, context.Skin.Buttons, option.state);
    if (element != own || strip.image.isNull())
        return false;
    DrawGlyph(painter, option.rect, strip);
    return true;
}

bool TCheckRadioPainter::DrawControl(const TSkinPaintContext& context, QStyle::ControlElement element,
                                     const QStyleOption& option, QPainter& painter,
                                     const QWidget* widget) const
{
    const QStyle::ControlElement own = glyph_ == Glyph::Check ? QStyle::CE_CheckBox : QStyle::CE_RadioButton;
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(&option);
    const GlyphStrip strip = StripOf(glyph_, context.Skin.Buttons, option.state);
    if (element != own || !button || strip.image.isNull())
        return false;

    const QRect& rect = option.rect;
    if (!context.OverParent())
        painter.fillRect(rect, context.Face());

    // The glyph is one cell, centred vertically; left text (a right-to-left control) puts it at the right.
    const QSize cell = SkinCellRect(strip.image, false, strip.frames, strip.cell).size();
    const bool leftText = option.direction == Qt::RightToLeft;
    const int glyphLeft = leftText ? rect.right() + 1 - strip.rightInset - cell.width() : rect.left();
    const QRect place(glyphLeft, rect.top() + (rect.height() - cell.height()) / 2, cell.width(),
                      cell.height());
    DrawGlyph(painter, place, strip);

    const QRect text = leftText
                           ? QRect(QPoint(rect.left(), rect.top()), QPoint(place.left() - 3, rect.bottom()))
                           : QRect(QPoint(place.right() + 3, rect.top()), rect.bottomRight());
    const int flags = Qt::TextWordWrap | MnemonicFlag(context.Base, option, widget) |
                      (leftText ? Qt::AlignRight : Qt::AlignLeft);
    painter.save();
    painter.setPen(option.palette.color(QPalette::WindowText));
    if (option.state & QStyle::State_HasFocus)
        DrawFocusText(painter, flags, text, button->text);
    DrawTextCentered(painter, text, flags, option.state & QStyle::State_Enabled, button->text);
    painter.restore();
    return true;
}

const TSkinPainter& CheckBoxPainter()
{
    static const TCheckRadioPainter painter(TCheckRadioPainter::Glyph::Check);
    return painter;
}

const TSkinPainter& RadioButtonPainter()
{
    static const TCheckRadioPainter painter(TCheckRadioPainter::Glyph::Radio);
    return painter;
}
