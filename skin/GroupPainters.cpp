#include "skin/GroupPainters.h"

#include "skin/SkinControlDraw.h"
#include "skin/core/SkinDraw.h"

#include <QPainter>
#include <QStatusBar>
#include <QStyleOptionGroupBox>

namespace {

class TGroupBoxPainter final : public TSkinPainter {
public:
    bool DrawComplexControl(const TSkinPaintContext& context, QStyle::ComplexControl control,
                            const QStyleOptionComplex& option, QPainter& painter,
                            const QWidget* widget) const override;
};

// Through the paint intercept: the base style would draw the message 15 pixels in, the skin 2.
class TStatusBarPainter final : public TSkinPainter {
public:
    bool PaintWidget(const TSkinPaintContext& context, QWidget& widget, QPainter& painter) const override;
};

} // namespace

bool TGroupBoxPainter::DrawComplexControl(const TSkinPaintContext& context, QStyle::ComplexControl control,
                                          const QStyleOptionComplex& option, QPainter& painter,
                                          const QWidget* widget) const
{
    const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(&option);
    // A check box in the title has no place in the skin: such a group keeps the base style.
    if (control != QStyle::CC_GroupBox || !group || (group->subControls & QStyle::SC_GroupBoxCheckBox))
        return false;
    const QRect& rect = option.rect;
    const QFontMetrics metrics = painter.fontMetrics();
    // The line runs through the middle of the caption, which stands at the control's top.
    const int top = rect.top() + metrics.height() / 2 - 1;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(platform::ToQColor(context.Skin.Colours.ButtonShadow));
    // From (1, top) up to, not including, the right and bottom sides; a pen outline covers one more pixel
    // than its rectangle.
    const QRect frame(QPoint(rect.left() + 1, top), QPoint(rect.right() - 1, rect.bottom() - 1));
    painter.drawRoundedRect(frame.adjusted(0, 0, -1, -1), 2.5, 2.5);
    if (!group->text.isEmpty()) {
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextExpandTabs |
                          MnemonicFlag(context.Base, option, widget);
        const QRect caption = metrics.boundingRect(
            QRect(rect.left() + 8, rect.top(), rect.width() - 8, rect.height()), flags, group->text);
        painter.fillRect(caption, context.Face());
        painter.setPen(option.palette.color(QPalette::WindowText));
        painter.drawText(caption, flags, group->text);
    }
    painter.restore();
    return true;
}

bool TStatusBarPainter::PaintWidget(const TSkinPaintContext& context, QWidget& widget,
                                    QPainter& painter) const
{
    auto* bar = qobject_cast<QStatusBar*>(&widget);
    if (!bar)
        return false;
    const QRect rect = widget.rect();
    painter.fillRect(rect, context.Face());
    painter.setFont(widget.font());
    painter.setPen(context.Skin.StatusBarEdges
                       ? platform::ToQColor(context.Skin.StatusBarEdges->NormalColour2)
                       : widget.palette().color(QPalette::WindowText));
    const QString message = bar->currentMessage().isEmpty() ? QStringLiteral(" ") : bar->currentMessage();
    const Qt::Alignment side = widget.layoutDirection() == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft;
    painter.drawText(rect.adjusted(2, 0, -2, 0), side | Qt::AlignVCenter | Qt::TextSingleLine, message);
    if (bar->isSizeGripEnabled() && context.Skin.ExtraImages) {
        const TDataSkinObject& extra = *context.Skin.ExtraImages;
        const QSize cell = SkinCellRect(extra.Image, false, extra.Frames, 5).size();
        DrawSkinCell(painter, QRect(rect.bottomRight() - QPoint(cell.width() - 1, cell.height() - 1), cell),
                     extra.Image, true, extra.Frames, 5);
    }
    return true;
}

const TSkinPainter& GroupBoxPainter()
{
    static const TGroupBoxPainter painter;
    return painter;
}

const TSkinPainter& StatusBarPainter()
{
    static const TStatusBarPainter painter;
    return painter;
}
