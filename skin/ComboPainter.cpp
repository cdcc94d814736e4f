#include "skin/ComboPainter.h"

#include "skin/ControlRings.h"
#include "skin/SkinControlDraw.h"
#include "skin/core/SkinDraw.h"
#include "skin/core/SkinMadeImages.h"

#include <QPainter>
#include <QStyleOptionComboBox>

namespace {

class TSkinComboPainter : public TSkinPainter {
public:
    bool DrawComplexControl(const TSkinPaintContext& context, QStyle::ComplexControl control,
                            const QStyleOptionComplex& option, QPainter& painter,
                            const QWidget* widget) const override;
};

// The text area under the base style's label, inside the frame.
void FillTextArea(QPainter& painter, const QStyleOption& option)
{
    painter.fillRect(option.rect.adjusted(2, 2, -2, -2), option.palette.base());
}

// Style 1: a white ring inside a button-shadow ring, and the ComboButton cell at the top of a white
// button area as wide as the system's scroll thumb, at the right (at the left right to left).
void DrawPlainCombo(QPainter& painter, const QStyleOption& option, const TSkinDescription& skin, int cell)
{
    const TDataSkinBorder& button = *skin.ComboButton;
    const bool left = option.direction == Qt::RightToLeft;
    const int buttonWidth = HorizontalScrollArrowWidth;
    FillTextArea(painter, option);
    DrawRings(painter, option.rect, {platform::ToQColor(skin.Colours.ButtonShadow), Qt::white});
    const QRect inner = option.rect.adjusted(2, 2, -2, -2);
    QRect area = inner;
    if (left)
        area.setRight(inner.left() + buttonWidth - 1);
    else
        area.setLeft(inner.right() + 1 - buttonWidth);
    painter.fillRect(area.intersected(inner), Qt::white);
    const QSize cellSize = SkinCellRect(button.Image, false, button.Frames, cell).size();
    QRect image = inner;
    if (left)
        image.setRight(inner.left() + cellSize.width() - 1);
    else
        image.setLeft(inner.right() + 1 - cellSize.width());
    if (cellSize.height() < buttonWidth)
        image.setHeight(cellSize.height());
    DrawSkinCell(painter, image.intersected(inner), button.Image, true, button.Frames, cell);
}

} // namespace

bool TSkinComboPainter::DrawComplexControl(const TSkinPaintContext& context, QStyle::ComplexControl control,
                                           const QStyleOptionComplex& option, QPainter& painter,
                                           const QWidget*) const
{
    const TSkinDescription& skin = context.Skin;
    if (control != QStyle::CC_ComboBox || !qstyleoption_cast<const QStyleOptionComboBox*>(&option) ||
        !skin.ComboButton || skin.ComboButton->Image.isNull())
        return false;
    const int cell = PushStateCell(option.state);
    if (skin.ComboButton->Style == 1) {
        DrawPlainCombo(painter, option, skin, cell);
        return true;
    }
    // Any other ComboButton is the strip the description makes whenever SunkEdge exists; without
    // SunkEdge there is no frame to draw from, and the base style paints the combo box.
    if (skin.ComboButton->Style != 2 || !skin.SunkEdge)
        return false;
    // SunkEdge holds the whole strip mirrored, so its cells run in the opposite order.
    const bool mirrored = option.direction == Qt::RightToLeft;
    const TDataSkinObject& strip =
        mirrored ? *skin.SunkEdge : static_cast<const TDataSkinObject&>(*skin.ComboButton);
    FillTextArea(painter, option);
    DrawSkinFrame(painter, option.rect, strip.Image, false, false, true, strip.Frames,
                  mirrored ? strip.Frames + 1 - cell : cell, strip.Edges());
    return true;
}

const TSkinPainter& ComboPainter()
{
    static const TSkinComboPainter painter;
    return painter;
}
