#include "skin/EditPainter.h"

#include "skin/ControlRings.h"

#include <QPainter>
#include <QStyleOption>

namespace {

class TSkinEditPainter : public TSkinPainter {
public:
    bool DrawPrimitive(const TSkinPaintContext& context, QStyle::PrimitiveElement element,
                       const QStyleOption& option, QPainter& painter, const QWidget* widget) const override;
};

} // namespace

void DrawEditFrame(QPainter& painter, const QRect& rect, const TSkinDescription& skin)
{
    DrawRings(painter, rect, {platform::ToQColor(skin.Colours.ButtonShadow), Qt::white, Qt::white});
}

bool TSkinEditPainter::DrawPrimitive(const TSkinPaintContext& context, QStyle::PrimitiveElement element,
                                     const QStyleOption& option, QPainter& painter, const QWidget*) const
{
    if (element == QStyle::PE_FrameLineEdit) {
        DrawEditFrame(painter, option.rect, context.Skin);
        return true;
    }
    if (element != QStyle::PE_PanelLineEdit)
        return false;
    // A line edit without a frame keeps the base style's plain panel.
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(&option);
    if (!frame || frame->lineWidth <= 0)
        return false;
    painter.fillRect(option.rect, option.palette.base());
    DrawEditFrame(painter, option.rect, context.Skin);
    return true;
}

const TSkinPainter& EditPainter()
{
    static const TSkinEditPainter painter;
    return painter;
}
